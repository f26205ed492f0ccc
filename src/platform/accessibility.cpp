#include "platform/accessibility.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>

namespace minizol {
namespace {

const char* const kReadingProperty = "minizolReading";
const char* const kNameProperty = "minizolName";
const char* const kDescriptionProperty = "minizolDescription";
const char* const kInvalidProperty = "minizolInvalid";
const QColor kInvalidColour(255, 0, 0);

// A label read by its own text, or asked for its text, or followed as a link.
class LabelReading final : public QAccessibleWidget {
  public:
    LabelReading(QLabel* label, Reading reading)
        : QAccessibleWidget(label,
                            reading == Reading::Link ? QAccessible::Link : QAccessible::StaticText),
          reading_(reading) {}

    QString text(QAccessible::Text kind) const override {
        const QString own = static_cast<const QLabel*>(widget())->text();
        if (kind == QAccessible::Name && reading_ != Reading::OnRequest) {
            return own.isEmpty() ? widget()->property(kNameProperty).toString() : own;
        }
        if (kind == QAccessible::Description && reading_ == Reading::OnRequest) {
            return own;
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (reading_ == Reading::Link) {
            names.prepend(pressAction());
        }
        return names;
    }

    // Following the link is a click on it, as the mouse makes it.
    void doAction(const QString& action) override {
        if (reading_ != Reading::Link || action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        const QPointF centre = QRectF(widget()->rect()).center();
        const QPointF global = widget()->mapToGlobal(centre);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent click(type, centre, global, Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(widget(), &click);
        }
    }

  private:
    Reading reading_;
};

QAccessibleInterface* LabelReadingFactory(const QString&, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    const QVariant reading = object->property(kReadingProperty);
    if (label == nullptr || !reading.isValid()) {
        return nullptr;
    }
    return new LabelReading(label, static_cast<Reading>(reading.toInt()));
}

}  // namespace

void NameControls(QWidget& window, std::span<const AccessibleText> table) {
    // Once per program: the toolkit asks every factory for every new control.
    [[maybe_unused]] static const bool installed =
        (QAccessible::installFactory(LabelReadingFactory), true);
    for (const AccessibleText& entry : table) {
        const QString controlName = QString::fromUtf8(entry.control);
        auto* control =
            window.objectName() == controlName ? &window : window.findChild<QWidget*>(controlName);
        if (control == nullptr) {
            continue;
        }
        const QString name = QString::fromUtf8(entry.name);
        const QString description = QString::fromUtf8(entry.description);
        control->setProperty(kDescriptionProperty, description);
        control->setAccessibleDescription(description);
        if (entry.reading == Reading::Named || qobject_cast<QLabel*>(control) == nullptr) {
            control->setAccessibleName(name);
            continue;
        }
        control->setProperty(kReadingProperty, static_cast<int>(entry.reading));
        control->setProperty(kNameProperty, name);
        // A label keeps announcing its text only while it has no name of its own.
        if (entry.reading == Reading::OnRequest) {
            control->setAccessibleName(name);
        }
        // The toolkit keeps the first reading it made of a control; one made before the label
        // was told how to be read is dropped.
        QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(control);
        if (reading != nullptr && dynamic_cast<LabelReading*>(reading) == nullptr) {
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(reading));
        }
    }
}

void MarkInvalid(QWidget& box, bool invalid, const QColor& validColour, const QString& reason) {
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, invalid ? kInvalidColour : validColour);
    box.setPalette(palette);
    box.setProperty(kInvalidProperty, invalid);
    QString why = QString::fromUtf8(kInvalidDescription);
    if (!reason.isEmpty()) {
        why += QStringLiteral(": ") + reason;
    }
    Describe(box, invalid ? why : box.property(kDescriptionProperty).toString());
    box.setToolTip(invalid && !reason.isEmpty() ? why : QString());
}

bool IsMarkedInvalid(const QWidget& box) {
    return box.property(kInvalidProperty).toBool();
}

void Describe(QWidget& control, const QString& description) {
    if (control.accessibleDescription() != description) {
        control.setAccessibleDescription(description);
    }
}

}  // namespace minizol
