#pragma once
// Puts a command into the menu bar, a menu or the tool bar at its place in
// the fixed order, whichever of its neighbours already exist: the command
// surface is built by several parts of the main window, each adding its own
// commands.

#include <QIcon>
#include <QString>

#include <initializer_list>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace corvellan {

// The action in `actions` named `name` (a menu's action is found by the
// menu's name too), or nullptr.
QAction* findNamedAction(const QList<QAction*>& actions, const char* name);

// The first of `followers` present in `actions`, or nullptr (append).
QAction* firstPresent(const QList<QAction*>& actions, std::initializer_list<const char*> followers);

// A menu-bar item that acts itself, before the first present follower.
QAction* insertMenuBarItem(QMenuBar* bar, const char* name, const QString& caption,
                           std::initializer_list<const char*> followers);
// A menu of the menu bar, before the first present follower.
QMenu* insertMenuBarMenu(QMenuBar* bar, const char* name, const QString& caption,
                         std::initializer_list<const char*> followers);
// An item of `menu`, before `before` (nullptr: at the end).
QAction* insertMenuItem(QMenu* menu, const char* name, const QString& caption, QAction* before);
QAction* insertMenuSeparator(QMenu* menu, QAction* before);

// A 30-pixel tool button with a picture and a hint, before `before`
// (nullptr: at the end).
QAction* insertToolButton(QToolBar* bar, const char* name, const QIcon& icon, const QString& hint,
                          QAction* before);
QAction* insertToolSeparator(QToolBar* bar, QAction* before);

} // namespace corvellan
