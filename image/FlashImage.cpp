#include "image/FlashImage.h"

#include "FlashLayout.h"
#include "image/PlayerBinaries.h"

#include "engine/Shows.h"
#include "phrases/PhraseFormat.h"
#include "sign/BoardMemories.h"

#include <QtEndian>

#include <cstdint>

namespace award {
namespace {

// The SRAM the phrase sketch's variables take besides its table, as
// arduino-builder counts it: 2,353 bytes for 15 phrases (17 rows), 1,963 for 12.
constexpr int kSramSketchOtherBytes = 143;

template <class Word>
void Put(QByteArray& bytes, Word value) {
    char le[sizeof(Word)];
    qToLittleEndian(value, le);
    bytes.append(le, sizeof(Word));
}

// The header follows the player at the first even address.
template <std::size_t N>
qsizetype HeaderAt(const std::array<std::uint8_t, N>&) {
    return qsizetype(N + N % 2);
}

qsizetype ImageBytes(qsizetype header, const Shows& shows) {
    return header + AWARD_HEADER_BYTES + qsizetype(AWARD_SHOW_BYTES * shows.shows.size()) +
           qsizetype(2 * shows.words.size());
}

template <std::size_t N>
QByteArray Write(const std::array<std::uint8_t, N>& player, const Shows& shows) {
    QByteArray bytes;
    bytes.reserve(ImageBytes(HeaderAt(player), shows));
    bytes.append(reinterpret_cast<const char*>(player.data()), qsizetype(N));
    bytes.append(HeaderAt(player) - bytes.size(), char(0xFF));
    Put(bytes, shows.columnCycles);
    Put(bytes, std::uint16_t(shows.shows.size()));
    Put(bytes, shows.pagePause);
    Put(bytes, std::uint16_t(shows.items ? AWARD_FLAG_ITEMS : 0));
    Put(bytes, std::uint16_t(shows.brightness));
    Put(bytes, std::uint32_t{0});
    for (const Show& show : shows.shows)
        for (const std::uint32_t field : {show.kind, show.first, show.count, show.hold, show.step}) Put(bytes, field);
    for (const std::uint16_t w : shows.words) Put(bytes, w);
    return bytes;
}

template <std::size_t N>
std::variant<QByteArray, Refusal> Image(const std::array<std::uint8_t, N>& player, const Shows& shows,
                                             BoardKind board) {
    const qsizetype bytes = ImageBytes(HeaderAt(player), shows);
    if (bytes > qsizetype(ProgramBytes(board)) || shows.shows.size() > 0xFFFF)
        return Refusal{0, QStringLiteral("看板映像有 %1 位元組，板子放不下").arg(bytes), Refusal::Kind::DoesNotFit, 0, bytes};
    return Write(player, shows);
}

// The player for the sign and board, with the engine's frames alone or all of it.
std::variant<QByteArray, Refusal> Image(const SignTarget& target, bool framesOnly, const Shows& shows) {
    if (target.sign == SignKind::School)
        return framesOnly ? Image(player::kSchoolMega2560Frames, shows, target.board)
                          : Image(player::kSchoolMega2560Shows, shows, target.board);
    if (target.board == BoardKind::Uno)
        return framesOnly ? Image(player::kP10UnoFrames, shows, target.board)
                          : Image(player::kP10UnoShows, shows, target.board);
    return framesOnly ? Image(player::kP10Mega2560Frames, shows, target.board)
                      : Image(player::kP10Mega2560Shows, shows, target.board);
}

SignTarget TargetOf(const SketchForm& form) {
    return std::visit([](const auto& shown) { return shown.target; }, form);
}

}  // namespace

std::variant<QByteArray, Refusal> BuildFlashImage(const SketchForm& form) {
    if (const auto* phrases = std::get_if<PhraseFrames>(&form)) {
        if (phrases->store == TableStore::Sram && phrases->driver == PhraseDriver::Own) {
            // The compiled sketch keeps its table in SRAM, where the board must
            // keep room for the stack: beyond that it is refused, and so is this.
            const int sram = phrases->tableRows * 2 * kRowElements + kSramSketchOtherBytes;
            if (kMega2560SramBytes - sram < kStackReserveBytes)
                return Refusal{0, QStringLiteral("變數用掉 SRAM %1 位元組，堆疊不夠").arg(sram), Refusal::Kind::StackTooSmall, 0, sram};
        }
        // A table's frames need no more of the engine than its frames: the
        // smaller player leaves the flash to as many frames as the compiled
        // sketch holds.
        return Image(phrases->target, true, ShowsOf(*phrases));
    }
    return Image(TargetOf(form), false, ShowsOf(form));
}

}  // namespace award
