#include "ui/MenuShortcutFilter.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace award {
namespace {

void CollectShortcutActions(const QList<QAction*>& actions, QList<QAction*>& into) {
    for (QAction* action : actions) {
        if (!action->shortcuts().isEmpty()) into << action;
        if (const QMenu* menu = action->menu()) CollectShortcutActions(menu->actions(), into);
    }
}

}  // namespace

QList<QAction*> ShortcutActions(const QMenuBar& menuBar) {
    QList<QAction*> keyed;
    CollectShortcutActions(menuBar.actions(), keyed);
    return keyed;
}

MenuShortcutFilter::MenuShortcutFilter(QMenuBar& menuBar) : QObject(&menuBar), menuBar_(menuBar) {}

bool MenuShortcutFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    const auto hasPressed = [&](const QAction* action) { return action->shortcuts().contains(pressed); };
    if (std::ranges::none_of(ShortcutActions(menuBar_), hasPressed)) return false;
    // Not overridden, so the shortcut fires. The key press that follows when
    // the item is disabled is kept from the field too: the user asked for the
    // menu's command, and the field's own meaning of the key would change the
    // text.
    event->ignore();
    return true;
}

}  // namespace award
