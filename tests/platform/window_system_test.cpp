#include "platform/window_system.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <vector>

namespace minizol {
namespace {

using ::testing::HasSubstr;

// X11 only where XWayland runs beside Wayland and the user chose nothing, in the environment or
// on the command line. The program is named "-platform" throughout: its own name is no option.
TEST(ChooseWindowSystem, FromTheEnvironmentAndTheCommandLine) {
    const char* variables[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
    // The three variables (null: unset, and empty counts as unset), an option, the choice.
    const char* const cases[][5] = {
        {nullptr, ":0", "wayland-0", nullptr, "xcb"},
        {"", ":0", "wayland-0", nullptr, "xcb"},
        {"wayland", ":0", "wayland-0", nullptr, ""},
        {nullptr, ":0", "wayland-0", "-platform", ""},
        {nullptr, ":0", "wayland-0", "--platform", ""},
        {nullptr, "", "wayland-0", nullptr, ""},
        {nullptr, nullptr, "wayland-0", nullptr, ""},
        {nullptr, ":0", nullptr, nullptr, ""},
    };
    for (const auto& row : cases) {
        for (int i = 0; i < 3; ++i) {
            row[i] != nullptr ? ::setenv(variables[i], row[i], 1) : ::unsetenv(variables[i]);
        }
        const char* argv[] = {"-platform", row[3], "wayland"};
        const auto setting = CurrentWindowSystemSetting(row[3] != nullptr ? 3 : 1, argv);
        EXPECT_EQ(ChooseWindowSystem(setting).value_or(""), row[4]) << "row " << &row - cases;
    }
}

TEST(WindowSystemNotice, OneLineNamingTheLostFeaturesOnWaylandOnly) {
    for (const char* wayland : {"wayland", "wayland-egl"}) {
        EXPECT_THAT(WindowSystemNotice(wayland).value_or(""),
                    ::testing::AllOf(HasSubstr("centrar"), HasSubstr("siempre encima"),
                                     HasSubstr("transparentes"), ::testing::Not(HasSubstr("\n"))));
    }
    EXPECT_EQ(WindowSystemNotice("xcb"), std::nullopt);
}

TEST(CommandLine, PutsToolkitOptionsAfterTheProgramNameInACopy) {
    const char* original[] = {"minizol", "-style", "fusion"};
    CommandLine copy(3, original);
    copy.InsertAfterProgram({"-platform", "xcb"});
    EXPECT_THAT(std::vector<std::string>(copy.argv(), copy.argv() + copy.argc()),
                ::testing::ElementsAre("minizol", "-platform", "xcb", "-style", "fusion"));
    EXPECT_EQ(copy.argv()[copy.argc()], nullptr);  // as for main's own arguments
}

// The files, in order, of what the toolkit leaves of a command line: an option it did not know
// is no file, and after "--" everything is.
TEST(FileArguments, TheFilesLeftAfterTheToolkitsOptions) {
    const char* left[] = {"minizol", "a.csv", "-x", "b c.xlsx", "--", "-raro.csv", "--"};
    EXPECT_THAT(FileArguments(7, left),
                ::testing::ElementsAre("a.csv", "b c.xlsx", "-raro.csv", "--"));
    EXPECT_THAT(FileArguments(1, left), ::testing::IsEmpty());
}

}  // namespace
}  // namespace minizol
