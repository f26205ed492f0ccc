#pragma once

#include <QIcon>

namespace minizol {

// MiniZol's sun at every size the program carries: the icon of every window it shows, so that
// the desktop shows one program whichever tool, box or About window is on screen.
QIcon ApplicationIcon();

}  // namespace minizol
