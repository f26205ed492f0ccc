#include "platform/desktop_links.h"

#include <QDesktopServices>

namespace minizol {

UrlOpener DesktopUrlOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

}  // namespace minizol
