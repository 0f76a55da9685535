#pragma once

// The program's one widget style, the same on every desktop.

class QStyle;

namespace corvellan {

// Fusion, with each standard icon made once and then shared. Qt makes a
// standard icon afresh on every request, and every file dialog and message
// box asks for its own; each new icon's pixmaps get new keys in Qt's pixmap
// cache, and the Qt this program is built with never forgets a key once its
// pixmap has left the cache, so every dialog opened cost memory for good.
// A new style each call; QApplication::setStyle takes it over.
QStyle* makeProgramStyle();

} // namespace corvellan
