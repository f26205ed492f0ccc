#include "shell/window_alpha.h"

#include <QGuiApplication>
#include <QString>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "ruler/ruler_alpha.h"

// The X11 check borrows libxcb from Qt's own X11 plugin, which has it loaded already: no
// library is added to the program's link, and nothing is asked when Qt runs elsewhere.
#if QT_CONFIG(xcb) && __has_include(<xcb/xcb.h>) && __has_include(<dlfcn.h>)
#define MINIZOL_CHECK_X11_COMPOSITOR 1
#include <dlfcn.h>
#include <xcb/xcb.h>
#endif

namespace minizol {
namespace {

#ifdef MINIZOL_CHECK_X11_COMPOSITOR

// The X screen number of the display Qt opened: the part after the dot of "host:display.screen".
int X11ScreenNumber() {
    const QString display = qEnvironmentVariable("DISPLAY");
    const qsizetype dot = display.indexOf('.', display.lastIndexOf(':') + 1);
    bool ok = false;
    const int screen = dot < 0 ? 0 : display.mid(dot + 1).toInt(&ok);
    return ok && screen > 0 ? screen : 0;
}

template <typename Function>
Function* Symbol(void* library, const char* name) {
    void* address = dlsym(library, name);
    Function* function = nullptr;
    static_assert(sizeof address == sizeof function);
    std::memcpy(&function, &address, sizeof function);
    return function;
}

bool X11CompositorRunning() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return false;
    }
    void* library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_NOLOAD);
    if (library == nullptr) {
        return false;
    }
    auto* internAtom = Symbol<decltype(xcb_intern_atom)>(library, "xcb_intern_atom");
    auto* internAtomReply =
        Symbol<decltype(xcb_intern_atom_reply)>(library, "xcb_intern_atom_reply");
    auto* getOwner = Symbol<decltype(xcb_get_selection_owner)>(library, "xcb_get_selection_owner");
    auto* getOwnerReply =
        Symbol<decltype(xcb_get_selection_owner_reply)>(library, "xcb_get_selection_owner_reply");
    bool running = false;
    if (internAtom != nullptr && internAtomReply != nullptr && getOwner != nullptr &&
        getOwnerReply != nullptr) {
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(X11ScreenNumber());
        xcb_intern_atom_reply_t* atom = internAtomReply(
            connection, internAtom(connection, 1, static_cast<uint16_t>(name.size()), name.data()),
            nullptr);
        // With only_if_exists set, an atom nobody has created comes back as none.
        if (atom != nullptr && atom->atom != XCB_ATOM_NONE) {
            xcb_get_selection_owner_reply_t* owner =
                getOwnerReply(connection, getOwner(connection, atom->atom), nullptr);
            running = owner != nullptr && owner->owner != XCB_WINDOW_NONE;
            std::free(owner);
        }
        std::free(atom);
    }
    dlclose(library);
    return running;
}

#else

// Without libxcb's declarations the compositor cannot be asked; claiming no translucency keeps
// the status honest.
bool X11CompositorRunning() {
    return false;
}

#endif

}  // namespace

bool PlatformShowsTranslucentWindows() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        return X11CompositorRunning();
    }
    return platform.startsWith(QLatin1String("wayland")) || platform == QLatin1String("windows") ||
           platform == QLatin1String("direct2d") || platform == QLatin1String("cocoa");
}

int SetWindowAlpha(QWidget& window, int alpha) {
    const std::optional<double> opacity = OpacityFromAlpha(alpha);
    if (!opacity) {
        return static_cast<int>(AlphaStatus::OutOfRange);
    }
    if (!window.isWindow() || !PlatformShowsTranslucentWindows()) {
        return static_cast<int>(AlphaStatus::PlatformCannot);
    }
    window.setWindowOpacity(*opacity);
    return static_cast<int>(AlphaStatus::Ok);
}

}  // namespace minizol
