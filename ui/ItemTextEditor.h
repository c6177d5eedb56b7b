#pragma once

#include <QPlainTextEdit>

#include <functional>
#include <optional>

namespace award {

// The 內容 cell's editor. A text may be long and hold line breaks, each one a
// page of the item, which a line edit would cut or lose: Enter ends the edit
// as in every other cell, Shift+Enter breaks the line.
class ItemTextEditor : public QPlainTextEdit {
public:
    // `done` ends the edit of this editor, keeping the text.
    ItemTextEditor(QWidget* parent, std::function<void(QWidget*)> done);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void(QWidget*)> done_;
};

// The same text in a window of its own, roomy enough for a long one; nothing
// when the user cancels.
std::optional<QString> EditItemTextInDialog(QWidget* parent, int row, const QString& text);

}  // namespace award
