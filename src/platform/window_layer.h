#pragma once

class QWidget;

namespace minizol {

// Puts a top-level window into the always-on-top layer, or takes it out. The hint is changed on
// the native window in place: re-creating a shown window would make it flicker. Nothing is sent
// to the window system when the window already is where it is asked to be.
void SetTopMost(QWidget& window, bool onTop);

}  // namespace minizol
