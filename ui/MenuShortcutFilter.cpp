#include "ui/MenuShortcutFilter.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace award {
namespace {

// Submenus included: their items have shortcuts of their own.
bool AnyActionHas(const QList<QAction*>& actions, const QKeySequence& pressed) {
    for (const QAction* action : actions) {
        if (action->shortcuts().contains(pressed)) return true;
        if (const QMenu* menu = action->menu(); menu && AnyActionHas(menu->actions(), pressed)) return true;
    }
    return false;
}

}  // namespace

MenuShortcutFilter::MenuShortcutFilter(QMenuBar& menuBar) : QObject(&menuBar), menuBar_(menuBar) {}

bool MenuShortcutFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    if (!AnyActionHas(menuBar_.actions(), pressed)) return false;
    // Not overridden, so the shortcut fires. The key press that follows when
    // the item is disabled is kept from the field too: the user asked for the
    // menu's command, and the field's own meaning of the key would change the
    // text.
    event->ignore();
    return true;
}

}  // namespace award
