#pragma once

#include <QWidget>

#include <functional>
#include <optional>

namespace award {

// The 圖片 cell's editor: 選擇圖片… opens a file dialog where the item's
// picture lies (else where the last one was chosen), 清除 takes the picture
// away. Either ends the edit with the choice made.
class PictureCellEditor : public QWidget {
public:
    // `done` ends the edit of this editor, keeping the choice.
    PictureCellEditor(QWidget* parent, const QString& picture, std::function<void(QWidget*)> done);

    // The file chosen, or an empty path to take the picture away; nothing
    // while the user has chosen neither.
    const std::optional<QString>& Choice() const { return choice_; }

private:
    void Choose();

    QString picture_;
    std::optional<QString> choice_;
    std::function<void(QWidget*)> done_;
};

}  // namespace award
