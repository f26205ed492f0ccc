#include "platform/clipboard_routes.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <memory>
#include <utility>

namespace minizol {
namespace {

// Lives as the field's child, so it ends with the field.
class PasteRouter final : public QObject {
  public:
    PasteRouter(QLineEdit& field, std::function<void(const QString&)> paste)
        : QObject(&field), field_(field), paste_(std::move(paste)) {
        field.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &field_ || field_.isReadOnly()) {
            return false;
        }
        QClipboard& clipboard = *QGuiApplication::clipboard();
        switch (event->type()) {
            case QEvent::KeyPress:
                if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
                    paste_(clipboard.text());
                    return true;
                }
                break;
            case QEvent::MouseButtonRelease:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
                    clipboard.supportsSelection()) {
                    paste_(clipboard.text(QClipboard::Selection));
                    return true;
                }
                break;
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                if (drop->mimeData()->hasText()) {
                    drop->acceptProposedAction();
                    field_.setFocus(Qt::MouseFocusReason);
                    paste_(drop->mimeData()->text());
                    return true;
                }
                break;
            }
            case QEvent::ContextMenu:
                ShowMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
                return true;
            default:
                break;
        }
        return false;
    }

  private:
    void ShowMenu(const QPoint& at) {
        const std::unique_ptr<QMenu> menu(field_.createStandardContextMenu());
        for (QAction* action : menu->actions()) {
            if (action->text() == QLineEdit::tr("&Paste")) {
                disconnect(action, &QAction::triggered, &field_, nullptr);
                connect(action, &QAction::triggered, this,
                        [this] { paste_(QGuiApplication::clipboard()->text()); });
                action->setText(action->text() + '\t' + QString::fromUtf8(kPasteKeyText));
            }
        }
        menu->exec(at);
    }

    QLineEdit& field_;
    std::function<void(const QString&)> paste_;
};

}  // namespace

void RoutePastes(QLineEdit& field, std::function<void(const QString&)> paste) {
    new PasteRouter(field, std::move(paste));
}

void OfferCopy(QWidget& control, std::function<QString()> text, const QWidget* over) {
    control.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&control, &QWidget::customContextMenuRequested, &control,
                     [&control, text = std::move(text), over](const QPoint& at) {
                         if (over != nullptr && !over->geometry().contains(at)) {
                             return;
                         }
                         const QString copied = text();
                         QMenu menu(&control);
                         QAction* copy = menu.addAction(QLineEdit::tr("&Copy"));
                         copy->setEnabled(!copied.isEmpty());
                         QObject::connect(copy, &QAction::triggered, &menu, [copied] {
                             QGuiApplication::clipboard()->setText(copied);
                         });
                         menu.exec(control.mapToGlobal(at));
                     });
}

}  // namespace minizol
