#pragma once

namespace minizol {

class Shell;

// Tells the shell how to make each of the four tool windows.
void RegisterToolWindows(Shell& shell);

}  // namespace minizol
