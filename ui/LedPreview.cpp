#include "ui/LedPreview.h"

#include "marquee/MarqueeWriter.h"
#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"
#include "ui/SignColours.h"

#include <QPainter>

#include <cmath>

namespace award {
namespace {

const QString kPlaysTheSketch = QStringLiteral("LED 看板預覽：照上傳後的樣子播放程式裡的畫面");

}  // namespace

LedPreview::LedPreview(QWidget* parent) : QWidget(parent) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { Step(); });
    setToolTip(kPlaysTheSketch);
}

void LedPreview::SetOutOfDate(bool outOfDate) {
    if (outOfDate == outOfDate_) return;
    outOfDate_ = outOfDate;
    setToolTip(outOfDate ? kPlaysTheSketch + QStringLiteral("。現在播的是舊程式：橫幅或選項改過了，請再按執行。")
                         : kPlaysTheSketch);
    update();
}

void LedPreview::Load(const QString& sketchText, bool aside) {
    shownAside_ = aside;
    update();
    SketchReading reading = ReadSketchOrWhy(sketchText);
    // An empty program area is nothing to explain.
    refusal_ = sketchText.trimmed().isEmpty() ? ReadRefusal{} : reading.refusal;
    std::optional<SketchFrames> frames = std::move(reading.sketch);
    const bool sameTable = frames.has_value() == frames_.has_value() &&
                           (!frames || (frames->frames == frames_->frames && frames->marquee == frames_->marquee &&
                                          frames->program == frames_->program));
    if (sameTable) return;
    frames_ = std::move(frames);
    Restart();
}

void LedPreview::Restart() {
    timer_.stop();
    frameIndex_ = 0;
    sweepsBefore_ = 0;
    lit_ = HasSketch();
    if (lit_ && frames_->program) EnterItem();
    if (lit_) timer_.start(PhaseMilliseconds());
    update();
}

// Every item's timeline ends with the dark gap, so it is never empty.
void LedPreview::EnterItem() {
    itemImages_ = ItemTimeline(frames_->program->items[std::size_t(frameIndex_)]);
    imageIndex_ = 0;
}

bool LedPreview::HasSketch() const {
    if (!frames_) return false;
    if (frames_->program) return !frames_->program->items.empty();
    return frames_->marquee ? frames_->marquee->sweepsPerStep > 0 : !frames_->frames.empty();
}

int LedPreview::FrameCount() const {
    if (!HasSketch()) return 0;
    if (frames_->program) return static_cast<int>(frames_->program->items.size());
    if (frames_->marquee) return static_cast<int>(MarqueeWriter::StepsPerPass(frames_->marquee->columns.size()));
    return static_cast<int>(frames_->frames.size());
}

void LedPreview::Step() {
    if (!HasSketch()) return;
    if (frames_->program) {
        sweepsBefore_ += itemImages_[imageIndex_].sweeps;
        if (++imageIndex_ == itemImages_.size()) {
            frameIndex_ = (frameIndex_ + 1) % FrameCount();
            if (frameIndex_ == 0) sweepsBefore_ = 0;
            EnterItem();
        }
    } else if (frames_->marquee) {
        frameIndex_ = (frameIndex_ + 1) % FrameCount();
    } else if (lit_) {
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
    if (frames_->program) {
        const std::uint64_t after = sweepsBefore_ + itemImages_[imageIndex_].sweeps;
        return static_cast<int>(std::llround(static_cast<double>(after) * kSweepMilliseconds) -
                                std::llround(static_cast<double>(sweepsBefore_) * kSweepMilliseconds));
    }
    if (frames_->marquee) {
        // Steps are not whole milliseconds; rounding where each step ends
        // rather than each step's length keeps the pace of the board.
        const double step = frames_->marquee->sweepsPerStep * kSweepMilliseconds;
        return static_cast<int>(std::lround((frameIndex_ + 1) * step) - std::lround(frameIndex_ * step));
    }
    if (!lit_) return kPauseMilliseconds;
    return static_cast<int>(std::lround(frames_->frames[frameIndex_].sweeps * kSweepMilliseconds));
}

bool LedPreview::Lit(int column, int row) const {
    if (!lit_ || !HasSketch() || column < 0 || column >= kSignColumns || row < 0 || row >= kSignRows)
        return false;
    return (Shown()[std::size_t(column)] >> row) & 1;
}

ColumnWords LedPreview::Shown() const {
    if (frames_->program) return itemImages_[imageIndex_].words;
    if (frames_->marquee) return MarqueeWriter::ImageAtStep(frames_->marquee->columns, frameIndex_);
    return frames_->frames[std::size_t(frameIndex_)].words;
}

QString LedPreview::StatusLine() const {
    if (!HasSketch())
        return QStringLiteral("程式區沒有可播放的畫面") +
               (refusal_.why.isEmpty() ? QString() : QStringLiteral("：") + refusal_.Words());
    if (frames_->program) return QStringLiteral("節目第 %1/%2 項").arg(frameIndex_ + 1).arg(FrameCount());
    if (frames_->marquee) return QStringLiteral("跑馬燈第 %1/%2 步").arg(frameIndex_ + 1).arg(FrameCount());
    return QStringLiteral("第 %1/%2 個畫面").arg(frameIndex_ + 1).arg(FrameCount());
}

void LedPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), colours::kSignPanel);

    // The mark's label takes a strip at the left, beside the LEDs rather
    // than over them: the panel is far wider than its rows need, so the LEDs
    // keep their size and only stand a little closer.
    const bool marked = MarkShown();
    const int strip = marked ? fontMetrics().height() + 4 : 0;
    const double pitchX = (width() - 8.0 - strip) / kSignColumns;
    const double pitchY = (height() - 8.0) / kSignRows;
    const double radius = std::min(pitchX, pitchY) * 0.42;
    painter.setPen(Qt::NoPen);
    for (int row = 0; row < kSignRows; ++row)
        for (int column = 0; column < kSignColumns; ++column) {
            painter.setBrush(Lit(column, row) ? colours::kLedOn : colours::kLedOff);
            const QPointF centre(4 + strip + (column + 0.5) * pitchX, 4 + (row + 0.5) * pitchY);
            painter.drawEllipse(centre, radius, radius);
        }
    if (!HasSketch()) {
        painter.setPen(QColor(230, 230, 230));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, StatusLine());
    }
    if (marked) {
        // Framed all round and labelled, so that the mark shows whatever
        // the frame lit; the label stands one character a line.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(colours::kOutOfDateMark, 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
        const QRect band(0, 0, strip + 2, height());
        painter.fillRect(band, colours::kOutOfDateMark);
        painter.setPen(Qt::black);
        painter.drawText(band, Qt::AlignCenter, QStringLiteral("舊\n程\n式"));
    }
}

}  // namespace award
