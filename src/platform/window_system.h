#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace minizol {

// Centring a window, the always-on-top layer and whole-window translucency need an X11 window
// system: a Wayland compositor lets no client do any of them.

// What the window system is chosen from.
struct WindowSystemSetting {
    std::optional<std::string> qtQpaPlatform;   // QT_QPA_PLATFORM
    std::optional<std::string> display;         // DISPLAY: an X server, XWayland included
    std::optional<std::string> waylandDisplay;  // WAYLAND_DISPLAY
    bool platformArgument = false;              // "-platform" on the command line
};

// The setting of this process: its environment and its command line.
WindowSystemSetting CurrentWindowSystemSetting(int argc, const char* const* argv);

// The toolkit platform to start on, or nothing to leave the toolkit's own choice. Where XWayland
// runs beside Wayland this is X11, so that every feature works; a choice the user made in the
// environment or on the command line is kept.
std::optional<std::string> ChooseWindowSystem(const WindowSystemSetting& setting);

// The one line to print on standard error when the program runs on `platformName` (the
// toolkit's name for it: "xcb", "wayland", "wayland-egl", ...) and loses features there.
std::optional<std::string> WindowSystemNotice(std::string_view platformName);

// A copy of the command line to hand to the toolkit, which can take arguments of the program's
// own. The toolkit keeps pointers into it: it must outlive the application object.
class CommandLine {
  public:
    CommandLine(int argc, const char* const* argv);
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // Puts `arguments` right after the program name, where options for the toolkit belong.
    void InsertAfterProgram(const std::vector<std::string>& arguments);

    // For the QApplication constructor, which may remove the arguments it uses.
    int& argc() { return argc_; }
    char** argv() { return pointers_.data(); }

  private:
    void Point();

    std::vector<std::string> arguments_;
    std::vector<char*> pointers_;
    int argc_ = 0;
};

// The files named on a command line once the toolkit has taken its own options from it: every
// argument after the program's name that is not an option, and every one after "--".
std::vector<std::string> FileArguments(int argc, const char* const* argv);

}  // namespace minizol
