#include "ui/MessageBoxes.h"

#include <QAbstractButton>

namespace award {

QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                std::initializer_list<std::pair<QMessageBox::StandardButton, QString>> captions) {
    static const std::pair<QMessageBox::StandardButton, QString> kCaptions[] = {
        {QMessageBox::Ok, QStringLiteral("確定")},       {QMessageBox::Save, QStringLiteral("儲存")},
        {QMessageBox::Discard, QStringLiteral("不儲存")}, {QMessageBox::Cancel, QStringLiteral("取消")},
        {QMessageBox::Yes, QStringLiteral("是")},         {QMessageBox::No, QStringLiteral("否")},
    };
    QMessageBox box(icon, title, text, buttons, parent);
    for (const auto& [button, caption] : kCaptions)
        if (QAbstractButton* shown = box.button(button)) shown->setText(caption);
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* shown = box.button(button)) shown->setText(caption);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void Warn(QWidget* parent, const QString& what, const QString& why) {
    Ask(parent, QMessageBox::Warning, what, what + QStringLiteral("\n\n") + why, QMessageBox::Ok);
}

bool MaySaveFirst(QWidget* parent, const QString& title, const QString& question,
                  const std::function<bool()>& save) {
    switch (Ask(parent, QMessageBox::Question, title, question,
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

}  // namespace award
