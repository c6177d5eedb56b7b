#include "SignRun.h"

#include "ArduinoSketchBuild.h"
#include "BoardTestSupport.h"
#include "SimulatedP10Pair.h"

#include "image/FlashImage.h"
#include "image/IntelHex.h"
#include "reading/SketchReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <stdexcept>

namespace award::board {
namespace {

std::unique_ptr<SimulatedBoard> BoardWithImage(const SketchForm& shown, BoardKind board) {
    const auto image = BuildFlashImage(shown);
    if (!std::holds_alternative<QByteArray>(image)) throw std::runtime_error("no board image");
    const QTemporaryDir folder;
    QFile hex(folder.filePath("image.hex"));
    if (!hex.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the HEX file");
    hex.write(IntelHex(std::get<QByteArray>(image)));
    hex.close();
    return SimulatedBoard::WithHexFile(hex.fileName().toStdString(), board);
}

// A dimmed sign lights each column, or each scan, for as little as an eighth
// of its time, 12.5 us of the school's column: an LED counts as lit from
// 5 us on, still far longer than the few cycles between two port writes.
TraceTiming DimmedTiming() {
    TraceTiming timing;
    timing.minLitCycles = SimulatedBoard::kClockHz / 200'000;
    return timing;
}

}  // namespace

SignRun RunOnSign(const QString& sketch, Delivery delivery, std::uint64_t simulatedMilliseconds) {
    const auto shown = ReadSketch(sketch);
    if (!shown) throw std::runtime_error("the reader does not know the sketch");
    const SignTarget target = std::visit([](const auto& form) { return form.target; }, *shown);
    const auto board = delivery == Delivery::Image
                           ? BoardWithImage(*shown, target.board)
                           : std::make_unique<SimulatedBoard>(BuildSketch(sketch.toStdString(), target.board), target.board);
    std::optional<SimulatedP10Pair> panels;
    if (target.sign == SignKind::P10Pair) panels.emplace(*board);

    SignRun run;
    run.stillRunning =
        board->RunUntil([](auto, auto) { return false; }, simulatedMilliseconds * kCyclesPerMillisecond);
    const std::uint64_t now = board->Now();
    if (panels) {
        run.sweeps = DecodeP10Sweeps(panels->Changes(), DimmedTiming());
        run.litLedCycles = LitLedCycles(panels->Changes(), now);
        run.bytesLost = panels->BytesLost();
    } else {
        run.sweeps = DecodeSweeps(board->Writes(), DimmedTiming());
        run.litLedCycles = LitLedCycles(board->Writes(), now);
    }
    return run;
}

}  // namespace award::board
