#include "ui/ProgramLength.h"

#include "program/ProgramFrames.h"
#include "sign/BoardMemories.h"
#include "sign/FigureWords.h"
#include "sign/SignTargetNames.h"
#include "sign/SignTiming.h"

#include <QElapsedTimer>
#include <QLocale>

namespace award {
namespace {

// Long enough to count many items at a go, short enough not to be felt.
constexpr int kCountingMilliseconds = 20;

// An item's picture counts by its pixels and the choices that make LEDs of them.
QString KeyOf(const ProgramItem& item) {
    const ItemPicture& picture = item.picture;
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|")
               .arg(int(item.style))
               .arg(item.holdSeconds)
               .arg(int(item.speed))
               .arg(int(item.align))
               .arg(picture.rows.cacheKey())
               .arg(picture.threshold.value_or(-1))
               .arg(picture.inverted) +
           item.text;
}

}  // namespace

ProgramLength::ProgramLength(std::function<void(const QString&)> show) : show_(std::move(show)) {
    idle_.setSingleShot(true);
    QObject::connect(&idle_, &QTimer::timeout, [this] { CountSome(); });
}

void ProgramLength::Recount(const Program& items, const ConversionOptions& options) {
    if (!(options.style == options_.style && options.firstScanRow == options_.firstScanRow)) secondsOf_.clear();
    options_ = options;
    items_ = items;
    counted_ = 0;
    seconds_ = 0;
    // An item too long for the board is never drawn: its lines tell already.
    const int flash = ProgramBytes(options.target.board);
    if (items_.empty() || ProgramConverter::LeastFlashBytes(items_, options.target) > flash) {
        idle_.stop();
        show_(items_.empty() ? QString()
                             : QStringLiteral("共 %1 項，放不進 %2 的 %3 位元組 flash。")
                                   .arg(Thousands(static_cast<long long>(items_.size())),
                                        BoardName(options.target.board), Thousands(flash)));
        return;
    }
    surface_.SetStyle(options.style);
    idle_.start(0);
}

void ProgramLength::CountSome() {
    QElapsedTimer spent;
    spent.start();
    for (; counted_ < items_.size() && spent.elapsed() < kCountingMilliseconds; ++counted_) {
        const ProgramItem& item = items_[counted_];
        const QString key = KeyOf(item);
        auto known = secondsOf_.constFind(key);
        if (known == secondsOf_.constEnd())
            known = secondsOf_.insert(key, CycleSeconds(converter_.Frames({item}, options_.firstScanRow)));
        seconds_ += *known;
    }
    const QString items = Thousands(static_cast<long long>(items_.size()));
    if (counted_ < items_.size()) {
        show_(QStringLiteral("共 %1 項，長度計算中…（%2 項）").arg(items, Thousands(static_cast<long long>(counted_))));
        idle_.start(0);
        return;
    }
    show_(QStringLiteral("共 %1 項，播一輪約 %2 秒。").arg(items, QLocale(QLocale::English).toString(seconds_, 'f', 1)));
}

}  // namespace award
