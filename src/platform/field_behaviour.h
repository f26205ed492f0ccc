#pragma once

#include <QString>
#include <cstddef>
#include <functional>

class QComboBox;
class QLineEdit;
class QWidget;

namespace minizol {

// Lets a field take, of each key's printable text, only what `keep` returns, and no more than
// `limit` characters in all (what the typing replaces makes room). Keys that type nothing (Tab,
// Backspace, arrows, Mayús+Insert) pass untouched.
void FilterTyping(QLineEdit& field, std::size_t limit, std::function<QString(const QString&)> keep);

// Selects the field's whole text when it takes the focus, so that typing replaces it; a click
// that drags out a selection keeps that one, and coming back with the window or from a menu
// keeps whatever the user had selected.
void SelectAllOnFocus(QLineEdit& field);

// Runs `clicked` when the left button is released over `control`.
void OnClick(QWidget& control, std::function<void()> clicked);

// Escape with the box's list dropped down closes the list and nothing else. The toolkit's list
// closes itself as soon as Escape is offered to it as a possible shortcut, and leaves the key
// unclaimed: the window's own Escape shortcut then takes the same key press.
void EscapeClosesOnlyTheList(QComboBox& box);

}  // namespace minizol
