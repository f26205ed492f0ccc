#pragma once

#include <QString>

class QWidget;

namespace minizol {

// DigiZol's list checker: a file of numbers (a list, a CSV export, a workbook, a remittance)
// read and checked off the window's thread, every verdict shown in a table of its own window,
// which DigiZol's window stays under as it was. Nothing of it is loaded before the first list.

// The desktop's file dialog over `parent`, filtered to lists and spreadsheets; "" when the user
// cancels.
QString AskForList(QWidget* parent);

// Opens a list window on `path` over `tool`, DigiZol's window.
void OpenListWindow(QWidget* tool, const QString& path);

}  // namespace minizol
