#pragma once

#include "engine/Shows.h"
#include "reading/SketchReader.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace award {

// A 64 x 16 LED panel that plays a sketch text the way the board does: the
// engine of shows that runs on the board runs here too, and the panel shows
// what it would light, each image for as long as the board shows it. Frames
// of a phrase table each lit, then dark for half a second; a marquee
// scrolling a column a step; a program's items in order; then all again.
// Word 1 of a frame lights the leftmost column. A text without a table the
// board could run leaves the panel dark with a line that says so.
class LedPreview : public QWidget {
public:
    explicit LedPreview(QWidget* parent = nullptr);

    // Reads the sketch text; a changed table starts again from frame 1.
    void SetSketchText(const QString& sketchText) { Load(sketchText, false); }
    // The same for a sketch that is not the one in Text3, such as one item of
    // the 節目表 played on its own: it is never marked out of date.
    void SetShownAside(const QString& sketchText) { Load(sketchText, true); }

    // Marks the panel as playing a sketch older than the banner and choices
    // now shown: a band across its top says so until the next run.
    void SetOutOfDate(bool outOfDate);
    bool MarkShown() const { return outOfDate_ && !shownAside_; }

    bool HasSketch() const { return playing_; }
    // The frame now lit, the marquee's step or the program's item, counted
    // from 1; 0 while the panel is dark between frames.
    int ShownFrame() const;
    // Frames, the marquee's steps in one pass, or the program's items.
    int FrameCount() const;
    bool Lit(int column, int row) const;
    // The brightness the sketch names, 1 to SIGN_BRIGHTEST: lit LEDs are drawn dimmer below it.
    int Brightness() const { return shows_.brightness; }
    // What the panel says under its LEDs; for a text that is no sketch the
    // board runs, the line to blame and what was expected there.
    QString StatusLine() const;
    const award::Refusal& Why() const { return refusal_; }

    // Moves on to the next lit or dark phase, as the timer does.
    void Step();
    // How long the current phase lasts on the board, in milliseconds.
    int PhaseMilliseconds() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Load(const QString& sketchText, bool aside);
    // Plays show `show` of the sketch from its first image.
    void EnterShow(std::size_t show);
    const ShownImage& Current() const { return images_[image_]; }

    std::optional<SketchForm> form_;
    Shows shows_;
    award::Refusal refusal_;
    bool playing_ = false;
    std::size_t show_ = 0;
    // The images of the show now playing, as the engine shows them.
    std::vector<ShownImage> images_;
    std::size_t image_ = 0;
    // Column times are counted from the start of the cycle, so that rounding
    // to milliseconds never drifts from the board's pace.
    std::uint64_t columnsBefore_ = 0;
    bool outOfDate_ = false;
    bool shownAside_ = false;
    QTimer timer_;
};

}  // namespace award
