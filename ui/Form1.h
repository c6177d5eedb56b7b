#pragma once

#include "conversion/BannerConverter.h"
#include "surface/DrawingSurface.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QButtonGroup;
class QLabel;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace award {

class LedPreview;
class PictureBox;

// The program's only window: the banner text, the picture of the phrase
// converted last, the face and style choices, the sketch text and the four
// buttons. It owns the drawing surface and the converter; every run and every
// font choice goes through them, the window itself converts nothing.
class Form1 : public QWidget {
public:
    explicit Form1(QWidget* parent = nullptr);

    static const QString kCaption;
    static const QString kSampleBanner;

private:
    void CreateControls();
    void ConnectHandlers();

    void Run(int firstScanRow);
    void CopySketch();
    void ShowNotices(const QStringList& notices);
    QString Text3Text() const;

    DrawingSurface surface_;
    BannerConverter converter_{surface_};

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
    LedPreview* preview_ = nullptr;
    QLabel* notice_ = nullptr;
    QTimer* previewDelay_ = nullptr;
};

}  // namespace award
