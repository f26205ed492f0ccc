#pragma once

class QWidget;

namespace minizol {

// Makes a top-level window uniformly translucent: alpha 0 is fully transparent and 255 fully
// opaque, mapped linearly onto the window's opacity. Returns a status code:
//   0  the opacity is set and the platform shows it;
//   1  alpha outside 0 to 255: the window is left untouched;
//   2  the platform cannot show a translucent top-level window (no compositing manager on X11,
//      a platform plugin without window opacity, or a widget that is not a window): the
//      window is left untouched and stays opaque.
// Callers that apply the alpha on every change get it shown as soon as a compositor appears.
int SetWindowAlpha(QWidget& window, int alpha);

}  // namespace minizol
