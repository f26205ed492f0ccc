#include "platform/translucency.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QString>
#include <cstdlib>
#include <memory>

namespace minizol {
namespace {

// The X screen number of the display Qt opened: the part after the dot of "host:display.screen".
int X11ScreenNumber() {
    const QString display = qEnvironmentVariable("DISPLAY");
    const qsizetype dot = display.indexOf('.', display.lastIndexOf(':') + 1);
    bool ok = false;
    const int screen = dot < 0 ? 0 : display.mid(dot + 1).toInt(&ok);
    return ok && screen > 0 ? screen : 0;
}

// xcb replies are malloc'ed.
template <typename Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

bool X11CompositorRunning() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return false;
    }
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(X11ScreenNumber());
    // With only_if_exists set, an atom nobody has created comes back as none.
    const XcbReply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.constData()),
            nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        return false;
    }
    const XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                      nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

}  // namespace

bool PlatformShowsTranslucentWindows() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        return X11CompositorRunning();
    }
    return platform.startsWith(QLatin1String("wayland")) || platform == QLatin1String("windows") ||
           platform == QLatin1String("direct2d") || platform == QLatin1String("cocoa");
}

}  // namespace minizol
