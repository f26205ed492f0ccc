#pragma once

#include <QColor>
#include <span>

class QWidget;

namespace minizol {

// How a screen reader reads a control.
enum class Reading {
    Named,      // by the name and description given
    ItsText,    // a label: by its own text, which the toolkit announces at every change; the
                // name given stands in while the label is empty
    OnRequest,  // a label: by the name given, its text as the description, read when asked for
                // and never announced
    Link,       // a label: by its text, as a link the reader can follow
    Titled,     // a label: by the name given and then its text ("Resumen: 6 números..."), which
                // the toolkit announces at every change
    Choice,     // a drop-down list: by the name given and then the choice shown ("Mostrar:
                // Todos"), which the toolkit announces at every change
};

// What a screen reader hears of one control of a window, or of the window itself, found by its
// object name. A control named "" is read by its own words, as the toolkit reads it.
struct AccessibleText {
    const char* control;
    Reading reading;
    const char* name;
    const char* description = "";
};

// Names the controls under `window`, in Spanish, from the window's one table.
void NameControls(QWidget& window, std::span<const AccessibleText> table);

// Has a screen reader read a control by its name in the window's table and then `shown`, what
// the control shows meanwhile: "Columnas comprobadas: NIF, IBAN". Called at every change.
void ReadWith(QWidget& control, const QString& shown);

// Sets what a screen reader hears of a control besides its name. The toolkit announces every
// setting, so one that changes nothing is left out.
void Describe(QWidget& control, const QString& description);

// What a box that turns red tells a screen reader meanwhile.
inline constexpr char kInvalidDescription[] = "Incorrecto";

// Paints a box's background red, or back in `validColour`, and tells assistive technology the
// same: Qt has no invalid-entry state to set, so the description reads "Incorrecto" while the
// box is red and goes back to the table's one after. A `reason` ("pone 91; corresponde 64")
// follows it, in the description and in the box's tooltip, so that the eye and the ear learn
// which part is wrong.
void MarkInvalid(QWidget& box, bool invalid, const QColor& validColour, const QString& reason = {});

// Whether the box was last marked invalid.
bool IsMarkedInvalid(const QWidget& box);

}  // namespace minizol
