#pragma once

#include <QStringList>

namespace minizol {

class Shell;

// Tells the shell how to make each of the four tool windows.
void RegisterToolWindows(Shell& shell);

// Starts on DigiZol instead of EuroZol, with a list window on each of `paths` once the program
// runs.
void StartWithLists(Shell& shell, const QStringList& paths);

}  // namespace minizol
