#include "platform/window_system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace minizol {
namespace {

WindowSystemSetting Both() {
    WindowSystemSetting setting;
    setting.display = ":0";
    setting.waylandDisplay = "wayland-0";
    return setting;
}

TEST(ChooseWindowSystem, PrefersXWaylandWhenBothAreThere) {
    EXPECT_EQ(ChooseWindowSystem(Both()), "xcb");
}

TEST(ChooseWindowSystem, KeepsThePlatformTheUserChose) {
    WindowSystemSetting inEnvironment = Both();
    inEnvironment.qtQpaPlatform = "wayland";
    EXPECT_EQ(ChooseWindowSystem(inEnvironment), std::nullopt);

    WindowSystemSetting onCommandLine = Both();
    onCommandLine.platformArgument = true;
    EXPECT_EQ(ChooseWindowSystem(onCommandLine), std::nullopt);
}

TEST(ChooseWindowSystem, AnEmptyVariableCountsAsAbsent) {
    WindowSystemSetting emptyChoice = Both();
    emptyChoice.qtQpaPlatform = "";
    EXPECT_EQ(ChooseWindowSystem(emptyChoice), "xcb");

    WindowSystemSetting emptyDisplay = Both();
    emptyDisplay.display = "";
    EXPECT_EQ(ChooseWindowSystem(emptyDisplay), std::nullopt);
}

TEST(ChooseWindowSystem, LeavesASingleWindowSystemToTheToolkit) {
    WindowSystemSetting x11;
    x11.display = ":0";
    EXPECT_EQ(ChooseWindowSystem(x11), std::nullopt);

    WindowSystemSetting wayland;
    wayland.waylandDisplay = "wayland-0";
    EXPECT_EQ(ChooseWindowSystem(wayland), std::nullopt);

    EXPECT_EQ(ChooseWindowSystem(WindowSystemSetting{}), std::nullopt);
}

TEST(CurrentWindowSystemSetting, ReadsTheEnvironmentAndThePlatformOption) {
    ::setenv("QT_QPA_PLATFORM", "", 1);
    ::setenv("DISPLAY", ":7", 1);
    ::unsetenv("WAYLAND_DISPLAY");
    const char* plain[] = {"minizol", "platform"};
    const WindowSystemSetting setting = CurrentWindowSystemSetting(2, plain);
    EXPECT_EQ(setting.qtQpaPlatform, std::nullopt);
    EXPECT_EQ(setting.display, ":7");
    EXPECT_EQ(setting.waylandDisplay, std::nullopt);
    EXPECT_FALSE(setting.platformArgument);

    const char* doubleDash[] = {"minizol", "--platform", "wayland"};
    EXPECT_TRUE(CurrentWindowSystemSetting(3, doubleDash).platformArgument);
    // The program's own name is no option, whatever it is called.
    const char* named[] = {"-platform"};
    EXPECT_FALSE(CurrentWindowSystemSetting(1, named).platformArgument);
}

TEST(WindowSystemNotice, NamesTheLostFeaturesOnWaylandOnly) {
    for (const char* wayland : {"wayland", "wayland-egl"}) {
        const auto notice = WindowSystemNotice(wayland);
        ASSERT_TRUE(notice.has_value()) << wayland;
        EXPECT_NE(notice->find("centrar"), std::string::npos);
        EXPECT_NE(notice->find("siempre encima"), std::string::npos);
        EXPECT_NE(notice->find("transparentes"), std::string::npos);
        EXPECT_EQ(notice->find('\n'), std::string::npos) << "one line";
    }
    for (const char* other : {"xcb", "offscreen", "minimal", ""}) {
        EXPECT_EQ(WindowSystemNotice(other), std::nullopt) << other;
    }
}

TEST(CommandLine, PutsToolkitOptionsAfterTheProgramName) {
    const char* original[] = {"minizol", "-style", "fusion"};
    CommandLine commandLine(3, original);
    commandLine.InsertAfterProgram({"-platform", "xcb"});
    ASSERT_EQ(commandLine.argc(), 5);
    char** argv = commandLine.argv();
    EXPECT_STREQ(argv[0], "minizol");
    EXPECT_STREQ(argv[1], "-platform");
    EXPECT_STREQ(argv[2], "xcb");
    EXPECT_STREQ(argv[3], "-style");
    EXPECT_STREQ(argv[4], "fusion");
    EXPECT_EQ(argv[5], nullptr);
    // A copy: the caller's arguments are left as they were.
    EXPECT_STREQ(original[1], "-style");
}

TEST(CommandLine, UnchangedWithoutInsertion) {
    const char* original[] = {"minizol"};
    CommandLine commandLine(1, original);
    ASSERT_EQ(commandLine.argc(), 1);
    EXPECT_STREQ(commandLine.argv()[0], "minizol");
    EXPECT_EQ(commandLine.argv()[1], nullptr);
}

}  // namespace
}  // namespace minizol
