#include "platform/window_system.h"

#include <cstdlib>

namespace minizol {
namespace {

// The toolkit treats an empty variable as an absent one; so does this.
std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

bool Present(const std::optional<std::string>& value) {
    return value.has_value() && !value->empty();
}

}  // namespace

WindowSystemSetting CurrentWindowSystemSetting(int argc, const char* const* argv) {
    WindowSystemSetting setting;
    setting.qtQpaPlatform = Variable("QT_QPA_PLATFORM");
    setting.display = Variable("DISPLAY");
    setting.waylandDisplay = Variable("WAYLAND_DISPLAY");
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-platform" || argument == "--platform") {
            setting.platformArgument = true;
        }
    }
    return setting;
}

std::optional<std::string> ChooseWindowSystem(const WindowSystemSetting& setting) {
    if (Present(setting.qtQpaPlatform) || setting.platformArgument) {
        return std::nullopt;
    }
    if (Present(setting.display) && Present(setting.waylandDisplay)) {
        return "xcb";
    }
    return std::nullopt;
}

std::optional<std::string> WindowSystemNotice(std::string_view platformName) {
    if (!platformName.starts_with("wayland")) {
        return std::nullopt;
    }
    return "MiniZol: en Wayland no es posible centrar las ventanas, mantenerlas siempre encima "
           "ni hacerlas transparentes. Con XWayland o una sesión X11 (QT_QPA_PLATFORM=xcb) "
           "funciona todo.";
}

CommandLine::CommandLine(int argc, const char* const* argv) {
    for (int i = 0; i < argc; ++i) {
        arguments_.emplace_back(argv[i]);
    }
    Point();
}

void CommandLine::InsertAfterProgram(const std::vector<std::string>& arguments) {
    const auto at = arguments_.empty() ? arguments_.end() : arguments_.begin() + 1;
    arguments_.insert(at, arguments.begin(), arguments.end());
    Point();
}

std::vector<std::string> FileArguments(int argc, const char* const* argv) {
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (optionsEnded || !argument.starts_with('-')) {
            files.emplace_back(argument);
        }
    }
    return files;
}

void CommandLine::Point() {
    pointers_.clear();
    for (std::string& argument : arguments_) {
        pointers_.push_back(argument.data());
    }
    // argv[argc] is a null pointer, as for main's own arguments.
    pointers_.push_back(nullptr);
    argc_ = static_cast<int>(arguments_.size());
}

}  // namespace minizol
