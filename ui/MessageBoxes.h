#pragma once

#include <QMessageBox>

#include <functional>
#include <initializer_list>
#include <utility>

namespace award {

// Message boxes whose standard buttons speak Chinese: without Qt's
// translations they would speak English. `captions` names buttons whose
// answer is a choice of the question's own.
QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                std::initializer_list<std::pair<QMessageBox::StandardButton, QString>> captions = {});
// What could not be done, and why.
void Warn(QWidget* parent, const QString& what, const QString& why);
// Before edits are thrown away: asks whether to save them first, and does
// so with `save`. Returns whether to go on.
bool MaySaveFirst(QWidget* parent, const QString& title, const QString& question,
                  const std::function<bool()>& save);

}  // namespace award
