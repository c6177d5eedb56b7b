#include "ImageRun.h"

#include "image/FlashImage.h"
#include "image/IntelHex.h"
#include "reading/SketchReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>

namespace award::board {

BoardRun RunImage(const QString& sketch, std::uint64_t simulatedMilliseconds) {
    const auto shown = ReadSketch(sketch);
    if (!shown) throw std::runtime_error("the reader does not know the sketch");
    const auto image = BuildFlashImage(*shown);
    if (!std::holds_alternative<QByteArray>(image)) throw std::runtime_error("no board image");
    const QTemporaryDir folder;
    QFile hex(folder.filePath("image.hex"));
    if (!hex.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the HEX file");
    hex.write(IntelHex(std::get<QByteArray>(image)));
    hex.close();
    const auto board = SimulatedBoard::WithHexFile(hex.fileName().toStdString());
    BoardRun run;
    run.stillRunning = board->RunUntil([](auto, auto) { return false; }, simulatedMilliseconds * kCyclesPerMillisecond);
    run.writes.assign(board->Writes().begin(), board->Writes().end());
    return run;
}

}  // namespace award::board
