#include "platform/window_system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace minizol {
namespace {

WindowSystemSetting Setting(const char* qpa, const char* display, const char* wayland,
                            bool argument = false) {
    const auto value = [](const char* text) {
        return text ? std::optional<std::string>(text) : std::nullopt;
    };
    return {value(qpa), value(display), value(wayland), argument};
}

TEST(ChooseWindowSystem, X11OnlyWhereXWaylandRunsBesideWaylandAndTheUserChoseNothing) {
    EXPECT_EQ(ChooseWindowSystem(Setting(nullptr, ":0", "wayland-0")), "xcb");
    EXPECT_EQ(ChooseWindowSystem(Setting("", ":0", "wayland-0")), "xcb");  // empty is unset
    EXPECT_EQ(ChooseWindowSystem(Setting("wayland", ":0", "wayland-0")), std::nullopt);
    EXPECT_EQ(ChooseWindowSystem(Setting(nullptr, ":0", "wayland-0", true)), std::nullopt);
    EXPECT_EQ(ChooseWindowSystem(Setting(nullptr, "", "wayland-0")), std::nullopt);
    EXPECT_EQ(ChooseWindowSystem(Setting(nullptr, nullptr, "wayland-0")), std::nullopt);
    EXPECT_EQ(ChooseWindowSystem(Setting(nullptr, ":0", nullptr)), std::nullopt);
}

TEST(CurrentWindowSystemSetting, ReadsTheEnvironmentAndThePlatformOption) {
    ::setenv("QT_QPA_PLATFORM", "", 1);
    ::setenv("DISPLAY", ":7", 1);
    ::unsetenv("WAYLAND_DISPLAY");
    const char* plain[] = {"-platform", "platform"};  // the program's own name is no option
    const WindowSystemSetting setting = CurrentWindowSystemSetting(2, plain);
    EXPECT_EQ(setting.qtQpaPlatform, std::nullopt);
    EXPECT_EQ(setting.display, ":7");
    EXPECT_EQ(setting.waylandDisplay, std::nullopt);
    EXPECT_FALSE(setting.platformArgument);
    const char* doubleDash[] = {"minizol", "--platform", "wayland"};
    EXPECT_TRUE(CurrentWindowSystemSetting(3, doubleDash).platformArgument);
}

TEST(WindowSystemNotice, OneLineNamingTheLostFeaturesOnWaylandOnly) {
    for (const char* wayland : {"wayland", "wayland-egl"}) {
        const std::string notice = WindowSystemNotice(wayland).value_or("");
        for (const char* feature : {"centrar", "siempre encima", "transparentes"}) {
            EXPECT_NE(notice.find(feature), std::string::npos) << wayland << ": " << feature;
        }
        EXPECT_EQ(notice.find('\n'), std::string::npos);
    }
    for (const char* other : {"xcb", "offscreen", ""}) {
        EXPECT_EQ(WindowSystemNotice(other), std::nullopt) << other;
    }
}

TEST(CommandLine, PutsToolkitOptionsAfterTheProgramNameInACopy) {
    const char* original[] = {"minizol", "-style", "fusion"};
    CommandLine commandLine(3, original);
    commandLine.InsertAfterProgram({"-platform", "xcb"});
    ASSERT_EQ(commandLine.argc(), 5);
    char** argv = commandLine.argv();
    const char* expected[] = {"minizol", "-platform", "xcb", "-style", "fusion"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_STREQ(argv[i], expected[i]);
    }
    EXPECT_EQ(argv[5], nullptr);
    EXPECT_STREQ(original[1], "-style");
}

}  // namespace
}  // namespace minizol
