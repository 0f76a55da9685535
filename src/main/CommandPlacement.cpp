#include "main/CommandPlacement.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace corvellan {

namespace {
constexpr QSize kToolButtonSize(30, 22);
} // namespace

QAction* findNamedAction(const QList<QAction*>& actions, const char* name) {
    const QString wanted = QString::fromLatin1(name);
    for (QAction* a : actions) {
        if (a->objectName() == wanted) return a;
        if (a->menu() && a->menu()->objectName() == wanted) return a;
    }
    return nullptr;
}

QAction* firstPresent(const QList<QAction*>& actions,
                      std::initializer_list<const char*> followers) {
    for (const char* name : followers)
        if (QAction* a = findNamedAction(actions, name)) return a;
    return nullptr;
}

QAction* insertMenuBarItem(QMenuBar* bar, const char* name, const QString& caption,
                           std::initializer_list<const char*> followers) {
    auto* action = new QAction(caption, bar);
    action->setObjectName(name);
    bar->insertAction(firstPresent(bar->actions(), followers), action);
    return action;
}

QMenu* insertMenuBarMenu(QMenuBar* bar, const char* name, const QString& caption,
                         std::initializer_list<const char*> followers) {
    auto* menu = new QMenu(caption, bar);
    menu->setObjectName(name);
    bar->insertMenu(firstPresent(bar->actions(), followers), menu);
    return menu;
}

QAction* insertMenuItem(QMenu* menu, const char* name, const QString& caption, QAction* before) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(name);
    menu->insertAction(before, action);
    return action;
}

QAction* insertMenuSeparator(QMenu* menu, QAction* before) {
    return menu->insertSeparator(before);
}

QAction* insertToolButton(QToolBar* bar, const char* name, const QIcon& icon, const QString& hint,
                          QAction* before) {
    auto* action = new QAction(icon, QString(), bar);
    action->setObjectName(name);
    action->setToolTip(hint);
    bar->insertAction(before, action);
    if (QWidget* button = bar->widgetForAction(action)) {
        button->setObjectName(name);
        button->setFixedSize(kToolButtonSize);
    }
    return action;
}

QAction* insertToolSeparator(QToolBar* bar, QAction* before) {
    return bar->insertSeparator(before);
}

} // namespace corvellan
