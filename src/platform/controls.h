#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QWidget;

namespace minizol {

// Controls as the windows lay them out: named after their role, placed in pixels.

// A label that takes the size of its caption.
QLabel* NewLabel(QWidget* parent, const char* name, const char* caption, QPoint at);

// A one-line text field; `alignment` is horizontal, the text is centred vertically.
QLineEdit* NewLineEdit(QWidget* parent, const char* name, const QRect& geometry,
                       Qt::Alignment alignment);

// Labels take the size of their caption.
void SetCaption(QLabel& label, const QString& caption);

// Shows the first of `captions` that fits between the label's left edge and its parent's right
// edge, or else the last one shortened in the middle. A caption not shown whole is the label's
// tooltip.
void SetFittingCaption(QLabel& label, const QStringList& captions);

// Setting a field to the text it already holds raises no change, as with typing.
void SetFieldText(QLineEdit& field, const QString& text);

}  // namespace minizol
