#pragma once

#include "board/BoardModels.h"
#include "sign/SignTarget.h"

#include <QList>
#include <QString>

#include <optional>

namespace award {

// How far avrdude has come, read from its own progress bars.
struct UploadProgress {
    enum class Stage { Write, Verify };
    Stage stage = Stage::Write;
    int percent = 0;
};
UploadProgress ProgressOf(const QString& avrdudeOutput);

// avrdude has said in full that it could not open the port. avrdude 7.1 then
// goes on trying to talk through the port it does not have and never ends by
// itself.
bool PortOpenFailed(const QString& avrdudeOutput);

// The board's bootloader has answered avrdude: there is a board on the port.
bool BoardAnswered(const QString& avrdudeOutput);

// The bytes avrdude wrote and read back unchanged; none unless it finished
// the verification.
std::optional<int> VerifiedBytes(const QString& avrdudeOutput);

// Why `port` could not be opened (`error` an errno value), and what to do.
QString PortProblem(const QString& port, int error);

// `port` is there but is no serial port: a regular file, a folder.
QString NotASerialPort(const QString& port, BoardKind board = BoardKind::Mega2560);

// Something other than a regular file is at `path`, where the HEX file was to go.
QString NotAFileForHex(const QString& path);

// Nothing on `port` answered as the board's bootloader in `seconds`, at any
// of the speeds in `bauds`.
QString NoBoardOnPort(const QString& port, int seconds, BoardKind board = BoardKind::Mega2560,
                      const QList<int>& bauds = {});

// Which board's bootloader answered, at `speed`, after the speeds in
// `unanswered` had not; empty where only the board chosen answers.
QString BoardThatAnswered(const BootloaderSpeed& speed, const QList<int>& unanswered);

// A program of `programBytes` is more than fits under the bootloader that
// answers at `speed`, tried after the speeds in `unanswered` had no answer.
QString TooBigForBootloader(const BootloaderSpeed& speed, int programBytes, const QList<int>& unanswered);

// The board stopped answering in the middle of an upload.
QString ConnectionLost(const QString& port);

// Why an upload to `port` failed, and what to do about it, in the user's words.
QString UploadProblem(const QString& avrdudeOutput, const QString& port, BoardKind board = BoardKind::Mega2560);

}  // namespace award
