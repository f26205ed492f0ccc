#pragma once

namespace minizol {

// Whether top-level windows can be shown translucent right now. On X11 this asks the server
// whether a compositing manager owns the _NET_WM_CM_S<screen> selection; Wayland, Windows and
// macOS always composite; every other platform plugin (offscreen, minimal, framebuffers, VNC)
// is taken to have no window opacity.
bool PlatformShowsTranslucentWindows();

}  // namespace minizol
