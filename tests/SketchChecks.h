#pragma once

#include <QString>

#include <string>

namespace award::test {

// Checks the whole form of a sketch text line by line: the fixed lines, the
// frame rows and the count. Returns an empty string when it is well formed,
// else what is wrong; `rows` receives the number of phrase rows.
std::string CheckSketchForm(const QString& sketch, int* rows = nullptr);

QString ReadGolden(const char* name);

}  // namespace award::test
