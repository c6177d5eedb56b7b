#include "ui/LedPreview.h"

#include <QPainter>

#include <cmath>

namespace award {
namespace {

const QColor kPanel(22, 22, 26);
const QColor kLedOff(70, 22, 20);
const QColor kLedOn(255, 48, 36);

}  // namespace

LedPreview::LedPreview(QWidget* parent) : QWidget(parent) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { Step(); });
    setToolTip(QStringLiteral("LED 看板預覽：照上傳後的樣子播放程式裡的畫面"));
}

void LedPreview::SetSketchText(const QString& sketchText) {
    std::optional<SketchFrames> frames = ReadSketch(sketchText);
    const bool sameTable = frames.has_value() == frames_.has_value() &&
                           (!frames || frames->frames == frames_->frames);
    if (sameTable) return;
    frames_ = std::move(frames);
    Restart();
}

void LedPreview::Restart() {
    timer_.stop();
    frameIndex_ = 0;
    lit_ = HasSketch();
    if (lit_) timer_.start(PhaseMilliseconds());
    update();
}

void LedPreview::Step() {
    if (!HasSketch()) return;
    if (lit_) {
        lit_ = false;
    } else {
        frameIndex_ = (frameIndex_ + 1) % FrameCount();
        lit_ = true;
    }
    timer_.start(PhaseMilliseconds());
    update();
}

int LedPreview::PhaseMilliseconds() const {
    if (!HasSketch()) return 0;
    if (!lit_) return kPauseMilliseconds;
    return static_cast<int>(std::lround(frames_->frames[frameIndex_].sweeps * kSweepMilliseconds));
}

bool LedPreview::Lit(int column, int row) const {
    if (!lit_ || !HasSketch() || column < 0 || column >= kSignColumns || row < 0 || row >= kSignRows)
        return false;
    return (frames_->frames[frameIndex_].words[column] >> row) & 1;
}

QString LedPreview::StatusLine() const {
    if (!HasSketch()) return QStringLiteral("程式區沒有可播放的畫面");
    return QStringLiteral("第 %1/%2 個畫面").arg(frameIndex_ + 1).arg(FrameCount());
}

void LedPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kPanel);

    const double pitchX = (width() - 8.0) / kSignColumns;
    const double pitchY = (height() - 8.0) / kSignRows;
    const double radius = std::min(pitchX, pitchY) * 0.42;
    painter.setPen(Qt::NoPen);
    for (int row = 0; row < kSignRows; ++row) {
        for (int column = 0; column < kSignColumns; ++column) {
            painter.setBrush(Lit(column, row) ? kLedOn : kLedOff);
            const QPointF centre(4 + (column + 0.5) * pitchX, 4 + (row + 0.5) * pitchY);
            painter.drawEllipse(centre, radius, radius);
        }
    }
    if (!HasSketch()) {
        painter.setPen(QColor(230, 230, 230));
        painter.drawText(rect(), Qt::AlignCenter, StatusLine());
    }
}

}  // namespace award
