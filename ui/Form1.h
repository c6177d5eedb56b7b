#pragma once

#include "conversion/BannerConverter.h"
#include "conversion/ConversionOptions.h"
#include "program/Program.h"
#include "surface/DrawingSurface.h"

#include <QString>
#include <QStringList>
#include <QMainWindow>

#include <optional>

class QButtonGroup;
class QLabel;
class QCheckBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace award {

class DisplayModeChooser;
class LedPreview;
class PictureBox;

// The program's only window: the banner text, the picture of the phrase
// converted last, the face and style choices, the sketch text and the four
// buttons. It owns the drawing surface and the converter; every run and every
// font choice goes through them, the window itself converts nothing.
//
// The controls sit in a client area of fixed size; the menu bar stands above
// it, so the window is taller than the client area by the menu's height.
class Form1 : public QMainWindow {
public:
    explicit Form1(QWidget* parent = nullptr);

    static const QString kCaption;
    static const QString kSampleBanner;
    static constexpr QSize kClientSize{1101, 588};
    // The most characters the banner field takes: ten times what the board
    // holds as phrases. A line edit takes time growing with the square of its
    // length limit to cut a longer paste down (about a second at this size).
    static constexpr int kBannerMaxCharacters = 100000;

    // The menu bar's menus, in their order on the bar.
    QMenu* FileMenuWidget() const { return fileMenu_; }
    QMenu* BoardMenuWidget() const { return boardMenu_; }
    QMenu* ProgramMenuWidget() const { return programMenu_; }
    QMenu* HelpMenuWidget() const { return helpMenu_; }

    // What the menus work on.
    QLineEdit* BannerField() const { return Text4; }
    QPlainTextEdit* SketchArea() const { return Text3; }
    // The sketch as Text3 holds it, hand edits included, lines ended by CR LF.
    QString Text3Text() const;
    void ShowNotices(const QStringList& notices);
    // What the face, style and display mode controls show, for a run whose
    // run button takes firstScanRow as the sign's top row.
    ConversionOptions Options(award::FirstScanRow firstScanRow) const;
    // The sign, board and brightness every run writes for, shown above the
    // preview; the sketch already written becomes out of date.
    void SetTarget(const SignTarget& target);
    const SignTarget& Target() const { return target_; }
    // Ends the program through 結束 itself, so that no other way of ending
    // it can differ from the button's.
    void Exit();

    // The first scan row of the run button pressed last, else 3: what a
    // sketch made elsewhere than by the run buttons takes.
    award::FirstScanRow FirstScanRow() const { return lastFirstScanRow_; }
    LedPreview* Preview() const { return preview_; }

    // What Text3's sketch is drawn from when not from the banner: a sign
    // program, drawn with the face and style chosen and the run button's rows.
    class SketchSource {
    public:
        virtual Program Items() const = 0;
        // The command that writes the sketch, as the user knows it.
        virtual QString ApplyCaption() const = 0;
        // Writes the sketch of the items into Text3 again; returns whether it did.
        virtual bool Apply() = 0;

    protected:
        ~SketchSource() = default;
    };
    // Puts a sketch of `source`'s items into Text3 and plays it; it stays
    // current while they and the face and style stay as they are. A run
    // button's sketch takes its place.
    void ShowProgram(const QString& sketch, SketchSource& source);
    // The source's items changed.
    void SourceChanged() { ShowSketchState(); }

    // Whether Text3 was written by a run from a banner or choices that have
    // changed since. A hand edit of Text3 makes it the user's own, current
    // sketch.
    bool SketchOutOfDate() const { return sketchFrom_ && *sketchFrom_ != CurrentInputs(); }
    // What the sketch is about to be used for; the question names it.
    enum class SketchUse { Compile, Upload, Export };
    // Before the sketch leaves the window: when Text3 does not hold the
    // sketch of the banner and choices shown, asks whether to run first (and
    // runs with the run button used last), to use Text3 as it is, or to stop.
    // Returns whether to go on.
    bool ConfirmCurrentSketch(SketchUse use);

    // On a screen too small for the window, the client area goes into a
    // scroll area and the window shrinks to fit `available` (the screen's free
    // area, window frame included). On a screen that holds it nothing changes.
    void FitInto(const QSize& available);

private:
    void CreateControls();
    void ConnectHandlers();

    // What a run depends on besides the run button.
    struct RunInputs {
        QString banner;
        ConversionOptions options;
        Program program;
        bool operator==(const RunInputs&) const = default;
    };
    RunInputs CurrentInputs() const;
    void ShowSketchState();
    void ShowNoticeLine();

    bool Run(award::FirstScanRow firstScanRow);
    void WriteSketch(const QString& sketch, SketchSource* source);
    void CopySketch();
    DrawingSurface surface_;
    BannerConverter converter_{surface_};

    QWidget* client_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* boardMenu_ = nullptr;
    QMenu* programMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QButtonGroup* options_ = nullptr;
    QPlainTextEdit* Text3 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command4 = nullptr;
    QLineEdit* Text4 = nullptr;
    PictureBox* pic = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;

    // Beside the original controls, in space they leave free.
    DisplayModeChooser* mode_ = nullptr;
    LedPreview* preview_ = nullptr;
    QLabel* notice_ = nullptr;
    QLabel* targetLabel_ = nullptr;
    SignTarget target_;
    QTimer* previewDelay_ = nullptr;
    QStringList runWarnings_;
    QStringList notices_;

    // The inputs Text3's sketch came from; none while it holds no sketch of
    // a run or of the user's.
    std::optional<RunInputs> sketchFrom_;
    SketchSource* source_ = nullptr;
    award::FirstScanRow lastFirstScanRow_ = award::FirstScanRow::Row3;
    bool writingSketch_ = false;
};

}  // namespace award
