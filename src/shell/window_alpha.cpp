#include "shell/window_alpha.h"

#include <QWidget>
#include <optional>

#include "platform/translucency.h"
#include "shell/window_opacity.h"

namespace minizol {

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
