#pragma once

#include <QLocale>
#include <QString>

namespace award {

// A whole number as every message writes it, with thousands separators
// ("1,940"), whatever the user's locale.
inline QString Thousands(long long number) { return QLocale(QLocale::English).toString(number); }

}  // namespace award
