#include "ui/SignPreference.h"

#include <QSettings>

#include <algorithm>

namespace award {
namespace {

const QString kSignKey = QStringLiteral("sign/kind");
const QString kBoardKey = QStringLiteral("sign/board");
const QString kBrightnessKey = QStringLiteral("sign/brightness");

// The words the command's options use, so that the file reads the same.
const QString kP10 = QStringLiteral("p10");
const QString kPorts = QStringLiteral("ports");
const QString kUno = QStringLiteral("uno");
const QString kMega = QStringLiteral("mega2560");

}  // namespace

SignTarget RememberedTarget() {
    const QSettings settings;
    SignTarget target;
    target.sign = settings.value(kSignKey).toString() == kP10 ? SignKind::P10Pair : SignKind::School;
    target.board = settings.value(kBoardKey).toString() == kUno ? BoardKind::Uno : BoardKind::Mega2560;
    if (!BoardDrivesSign(target.sign, target.board)) target.board = BoardKind::Mega2560;
    bool number = false;
    const int brightness = settings.value(kBrightnessKey).toInt(&number);
    if (number) target.brightness = std::clamp(brightness, 1, int{SIGN_BRIGHTEST});
    return target;
}

void RememberTarget(const SignTarget& target) {
    QSettings settings;
    settings.setValue(kSignKey, target.sign == SignKind::P10Pair ? kP10 : kPorts);
    settings.setValue(kBoardKey, target.board == BoardKind::Uno ? kUno : kMega);
    settings.setValue(kBrightnessKey, target.brightness);
}

}  // namespace award
