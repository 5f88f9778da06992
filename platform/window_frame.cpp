#include "platform/window_frame.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace platform {
namespace {

qint64 Area(QRect rectangle) {
    return rectangle.isEmpty() ? 0 : qint64(rectangle.width()) * rectangle.height();
}

// How far the point lies outside the rectangle, squared.
qint64 DistanceOutside(QRect rectangle, QPoint point) {
    const qint64 dx = std::max({rectangle.left() - point.x(), 0, point.x() - rectangle.right()});
    const qint64 dy = std::max({rectangle.top() - point.y(), 0, point.y() - rectangle.bottom()});
    return dx * dx + dy * dy;
}

int Inside(int start, int length, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

} // namespace

void MoveFrameTo(QWidget& window, QPoint frameTopLeft) {
    // Once Qt knows the frame, move() asks for the client area's corner at the frame's width
    // from the point.
    QWindow* handle = window.windowHandle();
    if (handle == nullptr || window.frameGeometry() != window.geometry()) {
        window.move(frameTopLeft);
        return;
    }
    // Before that, move() would ask for the client area's corner at the point itself. The
    // platform window can ask for the frame's corner instead; it must be the only request, or a
    // window manager that merges requests may take the point for the client's corner after all.
    // A hidden window also takes the point as its own, which asks for nothing.
    if (!window.isVisible()) {
        window.move(frameTopLeft);
    }
    handle->setFramePosition(frameTopLeft);
}

QMargins FrameMargins(const QWidget& window) {
    // The platform window asks the window manager afresh; the widget may not have heard yet.
    const QWindow* handle = window.windowHandle();
    return handle != nullptr ? handle->frameMargins() : QMargins();
}

QPoint FramePosition(const QWidget& window) {
    // A hidden window's platform window keeps its place from the last showing; the widget
    // holds where it will appear.
    const QWindow* handle = window.windowHandle();
    return handle != nullptr && window.isVisible() ? handle->framePosition() : window.pos();
}

QRect FrameGeometry(const QWidget& window) {
    return {FramePosition(window), window.size().grownBy(FrameMargins(window))};
}

QPoint OnScreenFramePosition(QRect frame, int titleBarHeight, const QList<QRect>& screens) {
    const QRect titleBar(frame.topLeft(), QSize(frame.width(), std::max(titleBarHeight, 1)));
    QRegion offScreen(titleBar);
    for (const QRect screen : screens) {
        offScreen -= screen;
    }
    if (screens.isEmpty() || offScreen.isEmpty()) {
        return frame.topLeft();
    }
    const auto nearest = std::min_element(screens.begin(), screens.end(), [&](QRect a, QRect b) {
        const qint64 overlapA = Area(a & frame);
        const qint64 overlapB = Area(b & frame);
        if (overlapA != overlapB) {
            return overlapA > overlapB;
        }
        return DistanceOutside(a, frame.center()) < DistanceOutside(b, frame.center());
    });
    return {Inside(frame.x(), frame.width(), nearest->x(), nearest->width()),
            Inside(frame.y(), frame.height(), nearest->y(), nearest->height())};
}

QList<QRect> ScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.append(screen->availableGeometry());
    }
    return areas;
}

} // namespace platform
