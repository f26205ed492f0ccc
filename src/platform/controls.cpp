#include "platform/controls.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

namespace minizol {

QLabel* NewLabel(QWidget* parent, const char* name, const char* caption, QPoint at) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
    return label;
}

QLineEdit* NewLineEdit(QWidget* parent, const char* name, const QRect& geometry,
                       Qt::Alignment alignment) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(geometry);
    field->setAlignment(alignment | Qt::AlignVCenter);
    return field;
}

void SetCaption(QLabel& label, const QString& caption) {
    label.setText(caption);
    label.adjustSize();
}

void SetFittingCaption(QLabel& label, const QStringList& captions) {
    const int room = label.parentWidget()->width() - label.x();
    const QFontMetrics metrics(label.font());
    QString shown;
    for (const QString& caption : captions) {
        shown = caption;
        if (metrics.horizontalAdvance(caption) <= room) {
            break;
        }
    }
    shown = metrics.elidedText(shown, Qt::ElideMiddle, room);
    label.setToolTip(captions.isEmpty() || shown == captions.front() ? QString()
                                                                     : captions.front());
    SetCaption(label, shown);
}

void SetFieldText(QLineEdit& field, const QString& text) {
    if (field.text() != text) {
        field.setText(text);
    }
}

}  // namespace minizol
