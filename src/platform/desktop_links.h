#pragma once

#include <QUrl>
#include <functional>

namespace minizol {

// Hands a web or mail address to the desktop's default program. Returns whether a program
// took it. Windows receive one of these so that tests can see the address without a browser.
using UrlOpener = std::function<bool(const QUrl&)>;

// The opener that asks the desktop.
UrlOpener DesktopUrlOpener();

}  // namespace minizol
