// A window's position as users and the settings file mean it: the outer top-left corner of its
// frame, title bar included, in screen pixels.
#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

namespace platform {

// Puts the window's frame corner on the point, also before the window manager has said how wide
// the frame is. A window about to be shown is best placed while still hidden; a visible one
// whose frame is not known yet reports its old place through pos() until the window manager has
// moved it, and its new one through FramePosition() at once.
void MoveFrameTo(QWidget& window, QPoint frameTopLeft);

// How far the window manager's frame reaches beyond the window on each side; nothing before the
// window has first come on screen.
QMargins FrameMargins(const QWidget& window);

// Where the window's frame corner is, also while Qt's widget has not yet heard of the frame.
QPoint FramePosition(const QWidget& window);

// The window with its frame, also while Qt's widget has not yet heard of the frame.
QRect FrameGeometry(const QWidget& window);

// Where a window with that frame goes so that its whole title bar (the frame's top
// titleBarHeight rows) shows on the screens: where it is when it does, else onto the nearest
// screen, as far inside it as the window's size allows.
QPoint OnScreenFramePosition(QRect frame, int titleBarHeight, const QList<QRect>& screens);

// The areas of the attached screens that windows may cover (panels excluded).
QList<QRect> ScreenAreas();

} // namespace platform
