#include "platform/accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>

namespace minizol {
namespace {

const char* const kReadingProperty = "minizolReading";
const char* const kNameProperty = "minizolName";
const char* const kDescriptionProperty = "minizolDescription";
const char* const kInvalidProperty = "minizolInvalid";
const QColor kInvalidColour(255, 0, 0);

// A caption as the toolkit shows it: an "&" marks the next letter as a mnemonic and is not
// shown, and "&&" shows one "&".
QString WithoutMnemonics(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype at = 0; at < caption.size(); ++at) {
        if (caption[at] == u'&' && at + 1 < caption.size()) {
            ++at;
        }
        shown += caption[at];
    }
    return shown;
}

// "Resumen: 9 números...": a name and what follows it, or the name alone while nothing does.
QString Titled(const QString& name, const QString& text) {
    return text.isEmpty() ? name : name + QStringLiteral(": ") + text;
}

// What a control is read by, when the toolkit's own reading will not do.
class OwnReading {
  public:
    virtual ~OwnReading() = default;
};

// A label read by its own text, or asked for its text, or followed as a link.
class LabelReading final : public QAccessibleWidget, public OwnReading {
  public:
    LabelReading(QLabel* label, Reading reading)
        : QAccessibleWidget(label,
                            reading == Reading::Link ? QAccessible::Link : QAccessible::StaticText),
          reading_(reading) {}

    QString text(QAccessible::Text kind) const override {
        const auto* label = static_cast<const QLabel*>(widget());
        // The toolkit shows a label's mnemonic only when the label has a control to go to.
        const QString own =
            label->buddy() != nullptr ? WithoutMnemonics(label->text()) : label->text();
        const QString name = widget()->property(kNameProperty).toString();
        if (kind == QAccessible::Name && reading_ == Reading::Titled) {
            return Titled(name, own);
        }
        if (kind == QAccessible::Name && reading_ != Reading::OnRequest) {
            return own.isEmpty() ? name : own;
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

// A drop-down list read by its name and its choice. On Linux the toolkit reads one by its choice
// alone, whatever name it was given, and leaves the name to the label next to it, which readers
// do not say when the list takes the focus. Otherwise it reads as the toolkit's: its list as its
// one child, opened and closed by the same actions.
class ChoiceReading final : public QAccessibleWidget, public OwnReading {
  public:
    explicit ChoiceReading(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            return Titled(widget()->property(kNameProperty).toString(), box().currentText());
        }
        if (kind == QAccessible::Value) {
            return box().currentText();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = box().view()->isVisible();
        return state;
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(box().view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == box().view() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
        } else if (box().view()->isVisible()) {
            box().hidePopup();
        } else {
            box().showPopup();
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QComboBox& box() const { return *static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* ReadingFactory(const QString&, QObject* object) {
    const QVariant reading = object->property(kReadingProperty);
    if (!reading.isValid()) {
        return nullptr;
    }
    if (auto* label = qobject_cast<QLabel*>(object)) {
        return new LabelReading(label, static_cast<Reading>(reading.toInt()));
    }
    if (auto* box = qobject_cast<QComboBox*>(object)) {
        return new ChoiceReading(box);
    }
    return nullptr;
}

// Whether `control` is read as `reading` says by a reading of this file's, rather than by its
// name and description alone.
bool ReadsOwnWay(const QWidget& control, Reading reading) {
    switch (reading) {
        case Reading::Named:
            return false;
        case Reading::Choice: {
            // One typed into reads as its text field, which the toolkit's reading keeps.
            const auto* box = qobject_cast<const QComboBox*>(&control);
            return box != nullptr && !box->isEditable();
        }
        default:
            return qobject_cast<const QLabel*>(&control) != nullptr;
    }
}

}  // namespace

void NameControls(QWidget& window, std::span<const AccessibleText> table) {
    // Once per program: the toolkit asks every factory for every new control.
    [[maybe_unused]] static const bool installed =
        (QAccessible::installFactory(ReadingFactory), true);
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
        control->setProperty(kNameProperty, name);
        if (!ReadsOwnWay(*control, entry.reading)) {
            control->setAccessibleName(name);
            continue;
        }
        control->setProperty(kReadingProperty, static_cast<int>(entry.reading));
        // A label keeps announcing its text only while it has no name of its own.
        if (entry.reading == Reading::OnRequest) {
            control->setAccessibleName(name);
        }
        // The toolkit keeps the first reading it made of a control; one made before the control
        // was told how to be read is dropped.
        QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(control);
        if (reading != nullptr && dynamic_cast<OwnReading*>(reading) == nullptr) {
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

void ReadWith(QWidget& control, const QString& shown) {
    const QString read = Titled(control.property(kNameProperty).toString(), shown);
    // Every setting is announced.
    if (control.accessibleName() != read) {
        control.setAccessibleName(read);
    }
}

void Describe(QWidget& control, const QString& description) {
    if (control.accessibleDescription() != description) {
        control.setAccessibleDescription(description);
    }
}

}  // namespace minizol
