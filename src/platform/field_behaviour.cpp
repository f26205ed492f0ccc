#include "platform/field_behaviour.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <memory>
#include <utility>

namespace minizol {
namespace {

// The printable text a key press types into a line edit. The line edit types a key's text
// whatever the modifiers, except with Ctrl held without Alt.
QString TypedText(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    const QString text = event.text();
    if (held == Qt::ControlModifier || text.isEmpty()) {
        return {};
    }
    for (char32_t code : text.toUcs4()) {
        if (!QChar::isPrint(code)) {
            return {};
        }
    }
    return text;
}

qsizetype CharacterCount(const QString& text) {
    return text.toUcs4().size();
}

// An event filter that lives as the control's child, so it ends with the control.
class Watcher final : public QObject {
  public:
    Watcher(QWidget& control, std::function<bool(QEvent&)> watch)
        : QObject(&control), watch_(std::move(watch)) {
        control.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override { return watch_(*event); }

  private:
    std::function<bool(QEvent&)> watch_;
};

}  // namespace

void FilterTyping(QLineEdit& field, std::size_t limit,
                  std::function<QString(const QString&)> keep) {
    new Watcher(field, [&field, limit, keep = std::move(keep)](QEvent& event) {
        if (event.type() != QEvent::KeyPress) {
            return false;
        }
        const QString typed = TypedText(static_cast<const QKeyEvent&>(event));
        if (typed.isEmpty()) {
            return false;
        }
        QString passed = keep(typed);
        const qsizetype kept = CharacterCount(field.text()) - CharacterCount(field.selectedText());
        const auto room = static_cast<qsizetype>(limit) - kept;
        qsizetype end = 0;  // after `room` characters, a surrogate pair counting as one
        for (qsizetype n = 0; n < room && end < passed.size(); ++n) {
            end += passed.at(end).isHighSurrogate() ? 2 : 1;
        }
        passed.truncate(end);
        if (passed == typed) {
            return false;  // the field types it itself
        }
        field.insert(passed);
        return true;
    });
}

void SelectAllOnFocus(QLineEdit& field) {
    auto selectOnRelease = std::make_shared<bool>(false);
    new Watcher(field, [&field, selectOnRelease](QEvent& event) {
        if (event.type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                reason != Qt::MenuBarFocusReason) {
                field.selectAll();
                // The press that gave the focus places the cursor: select again on the release.
                *selectOnRelease = reason == Qt::MouseFocusReason;
            }
        } else if (event.type() == QEvent::MouseButtonRelease && *selectOnRelease) {
            *selectOnRelease = false;
            if (!field.hasSelectedText()) {
                field.selectAll();
            }
        }
        return false;
    });
}

void OnClick(QWidget& control, std::function<void()> clicked) {
    new Watcher(control, [&control, clicked = std::move(clicked)](QEvent& event) {
        if (event.type() != QEvent::MouseButtonRelease) {
            return false;
        }
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        if (mouse.button() != Qt::LeftButton ||
            !control.rect().contains(mouse.position().toPoint())) {
            return false;
        }
        clicked();
        return true;
    });
}

void EscapeClosesOnlyTheList(QComboBox& box) {
    QAbstractItemView* list = box.view();
    // Closed here as the toolkit closes it, and the key claimed: it is no shortcut any more.
    new Watcher(*list, [&box, list](QEvent& event) {
        if (event.type() != QEvent::ShortcutOverride || !list->isVisible() ||
            !static_cast<const QKeyEvent&>(event).matches(QKeySequence::Cancel)) {
            return false;
        }
        box.hidePopup();
        event.accept();
        return true;
    });
}

}  // namespace minizol
