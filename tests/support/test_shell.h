#pragma once

#include "app/tool_windows.h"
#include "shell/shell.h"
#include "support/recording_dialogs.h"

namespace minizol::testing {

// The program's shell with its real tool windows, dialogs that record instead of blocking, and
// a count of the times the program was told to end.
struct TestShell {
    TestShell() : shell(dialogs, [this] { ++ends; }) { RegisterToolWindows(shell); }

    RecordingDialogs dialogs;
    int ends = 0;
    Shell shell;
};

}  // namespace minizol::testing
