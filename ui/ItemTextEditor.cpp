#include "ui/ItemTextEditor.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace award {

ItemTextEditor::ItemTextEditor(QWidget* parent, std::function<void(QWidget*)> done)
    : QPlainTextEdit(parent), done_(std::move(done)) {
    setObjectName(QStringLiteral("itemTextEditor"));
    // Tab moves on to the next cell, as it does from the other editors.
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    // One line as the cell shows it, so that End goes to the end of the line.
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void ItemTextEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        QPlainTextEdit::keyPressEvent(event);
    else if (event->modifiers() & Qt::ShiftModifier)
        insertPlainText(QStringLiteral("\n"));
    else
        done_(this);
}

std::optional<QString> EditItemTextInDialog(QWidget* parent, int row, const QString& text) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("第 %1 項的內容").arg(row + 1));
    auto* hint = new QLabel(QStringLiteral("每一行是看板上的一頁。"), &dialog);
    auto* editor = new QPlainTextEdit(&dialog);
    editor->setObjectName(QStringLiteral("itemTextDialogEditor"));
    editor->setPlainText(text);
    editor->moveCursor(QTextCursor::End);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("確定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(hint);
    layout->addWidget(editor);
    layout->addWidget(buttons);
    dialog.resize(520, 360);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return editor->toPlainText();
}

}  // namespace award
