#include "ui/LedPreview.h"

#include "sign/SignGeometry.h"
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
    refusal_ = sketchText.trimmed().isEmpty() ? Refusal{} : reading.refusal;
    if (reading.sketch == form_) return;
    form_ = std::move(reading.sketch);
    shows_ = form_ ? ShowsOf(*form_) : Shows{};
    timer_.stop();
    columnsBefore_ = 0;
    images_.clear();
    playing_ = form_ && CycleColumns(shows_) > 0;
    if (playing_) {
        EnterShow(0);
        timer_.start(PhaseMilliseconds());
    }
    update();
}

// A show may show nothing (a scroll of no sweeps); the cycle as a whole shows
// something, or nothing plays.
void LedPreview::EnterShow(std::size_t show) {
    do {
        if (show != show_ || images_.empty()) images_ = PlayedShow(shows_, show);
        show_ = show;
        show = (show + 1) % shows_.shows.size();
    } while (images_.empty());
    image_ = 0;
}

int LedPreview::FrameCount() const {
    if (!playing_) return 0;
    if (const auto* phrases = std::get_if<PhraseFrames>(&*form_)) return static_cast<int>(phrases->frames.size());
    if (std::holds_alternative<MarqueeFrames>(*form_)) return static_cast<int>(images_.size());
    return static_cast<int>(shows_.shows.size());
}

int LedPreview::ShownFrame() const {
    if (!playing_ || Current().pause) return 0;
    // A table's frames each come with the pause after them.
    if (std::holds_alternative<PhraseFrames>(*form_)) return static_cast<int>(image_ / 2 + 1);
    if (std::holds_alternative<MarqueeFrames>(*form_)) return static_cast<int>(image_ + 1);
    return static_cast<int>(show_ + 1);
}

void LedPreview::Step() {
    if (!playing_) return;
    columnsBefore_ += Current().columns;
    if (++image_ == images_.size()) {
        const std::size_t next = (show_ + 1) % shows_.shows.size();
        if (next == 0) columnsBefore_ = 0;
        EnterShow(next);
    }
    timer_.start(PhaseMilliseconds());
    update();
}

int LedPreview::PhaseMilliseconds() const {
    if (!playing_) return 0;
    const auto at = [this](std::uint64_t columns) { return std::llround(Milliseconds(columns, shows_.columnCycles)); };
    return static_cast<int>(at(columnsBefore_ + Current().columns) - at(columnsBefore_));
}

bool LedPreview::Lit(int column, int row) const {
    if (!playing_ || column < 0 || column >= kSignColumns || row < 0 || row >= kSignRows) return false;
    return (Current().words[std::size_t(column)] >> row) & 1;
}

QString LedPreview::StatusLine() const {
    if (!HasSketch())
        return QStringLiteral("程式區沒有可播放的畫面") +
               (refusal_.why.isEmpty() ? QString() : QStringLiteral("：") + refusal_.Words());
    if (std::holds_alternative<ProgramFrames>(*form_))
        return QStringLiteral("節目第 %1/%2 項").arg(show_ + 1).arg(FrameCount());
    if (std::holds_alternative<MarqueeFrames>(*form_))
        return QStringLiteral("跑馬燈第 %1/%2 步").arg(image_ + 1).arg(FrameCount());
    return QStringLiteral("第 %1/%2 個畫面").arg(image_ / 2 + 1).arg(FrameCount());
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
    // As bright as the sketch's brightness lights the sign.
    const QColor lit = colours::LitLed(HasSketch() ? Brightness() : int{SIGN_BRIGHTEST});
    painter.setPen(Qt::NoPen);
    for (int row = 0; row < kSignRows; ++row)
        for (int column = 0; column < kSignColumns; ++column) {
            painter.setBrush(Lit(column, row) ? lit : colours::kLedOff);
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
