#pragma once

#include <QMessageBox>

namespace award {

// Message boxes whose standard buttons speak Chinese: without Qt's
// translations they would speak English.
QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                                QMessageBox::StandardButtons buttons);
// What could not be done, and why.
void Warn(QWidget* parent, const QString& what, const QString& why);

}  // namespace award
