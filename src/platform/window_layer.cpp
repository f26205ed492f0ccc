#include "platform/window_layer.h"

#include <QWidget>
#include <QWindow>

namespace minizol {

void SetTopMost(QWidget& window, bool onTop) {
    QWindow* handle = window.windowHandle();
    const Qt::WindowFlags current = handle != nullptr ? handle->flags() : window.windowFlags();
    if (current.testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        return;
    }
    if (handle != nullptr) {
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
    }
    // The widget keeps its own copy of the flags, used when it creates its native window; keep
    // it in step without QWidget::setWindowFlags, which would hide and re-create the window.
    Qt::WindowFlags flags = window.windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    window.overrideWindowFlags(flags);
}

}  // namespace minizol
