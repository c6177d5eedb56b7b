#include "ui/PortPreference.h"

#include <QSettings>

namespace award {
namespace {

const QString kPortKey = QStringLiteral("board/port");

}  // namespace

QString RememberedPort() { return QSettings().value(kPortKey).toString(); }

void RememberPort(const QString& path) { QSettings().setValue(kPortKey, path); }

}  // namespace award
