#pragma once

#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

namespace minizol {

// Ctrl switches tools in every window, so the clipboard is reached with Mayús+Insert and the
// mouse. These give the fields a right-click menu without Ctrl shortcuts, in the toolkit's own
// (Spanish) texts, and let a window see what is pasted before it lands.

// Hands whatever is pasted into `field` to `paste` instead of the field's own paste: with
// Mayús+Insert, with the menu's "Pegar" (which shows Mayús+Insert), with the middle button or by
// a drop.
void RoutePastes(QLineEdit& field, std::function<void(const QString&)> paste);

// Gives `control` a right-click menu of one entry, "Copiar", that puts `text()` on the clipboard,
// greyed out while `text()` is empty. A child that is blind to the mouse gets its menu from its
// parent: `control` is then the parent, offering it over the child `over` alone.
void OfferCopy(QWidget& control, std::function<QString()> text, const QWidget* over = nullptr);

// What "Pegar" shows as its key in the fields' menus.
inline constexpr char kPasteKeyText[] = "Mayús+Insert";

}  // namespace minizol
