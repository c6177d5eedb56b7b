#pragma once

#include "program/ProgramTimeline.h"
#include "reading/SketchReader.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace award {

// A 64 x 16 LED panel that plays the frames of a sketch text the way the board
// does: frame 1 to the last, each lit for the sweeps the board makes of it
// (101 sweeps of 64 columns x 100 us at delay factor 1), then dark for half a
// second, then frame 1 again. A marquee scrolls one column per step, each step
// as many sweeps as the sketch says. A program plays its items in order, each
// image for the sweeps the board gives it, then item 1 again.
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

    bool HasSketch() const;
    // The frame now lit, the marquee's step or the program's item, counted
    // from 1; 0 while the panel is dark between frames.
    int ShownFrame() const { return lit_ ? frameIndex_ + 1 : 0; }
    // Frames, the marquee's steps in one pass, or the program's items.
    int FrameCount() const;
    bool Lit(int column, int row) const;
    // What the panel says under its LEDs; for a text that is no sketch the
    // board runs, the line to blame and what was expected there.
    QString StatusLine() const;
    const ReadRefusal& Refusal() const { return refusal_; }

    // Moves on to the next lit or dark phase, as the timer does.
    void Step();
    // How long the current phase lasts on the board, in milliseconds.
    int PhaseMilliseconds() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Load(const QString& sketchText, bool aside);
    void Restart();
    void EnterItem();
    // The image the panel shows now, lit or not.
    ColumnWords Shown() const;

    std::optional<SketchFrames> frames_;
    ReadRefusal refusal_;
    int frameIndex_ = 0;
    bool lit_ = false;
    // A program's item is played image by image; sweeps are counted from the
    // start of the cycle so that rounding never drifts from the board's pace.
    std::vector<ShownImage> itemImages_;
    std::size_t imageIndex_ = 0;
    std::uint64_t sweepsBefore_ = 0;
    bool outOfDate_ = false;
    bool shownAside_ = false;
    QTimer timer_;
};

}  // namespace award
