#pragma once

#include <QObject>

class QAction;
class QMenuBar;

namespace award {

// The menu bar's commands that have a key, submenus included: their items
// have shortcuts of their own.
QList<QAction*> ShortcutActions(const QMenuBar& menuBar);

// Lets every shortcut of the menu bar win over the text field that has the
// focus. On X11 a line edit claims Ctrl+U (delete the line), Ctrl+E (end of
// line) and others before any menu sees them; installed on the fields, this
// hands such keys to the menus. It looks at the menus afresh at each key, so
// menus and items added later are covered too.
class MenuShortcutFilter : public QObject {
public:
    explicit MenuShortcutFilter(QMenuBar& menuBar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenuBar& menuBar_;
};

}  // namespace award
