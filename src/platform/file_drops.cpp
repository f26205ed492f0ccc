#include "platform/file_drops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <utility>

namespace minizol {
namespace {

QStringList LocalFiles(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    return paths;
}

// Lives as the window's child. A child that would take the drag lets it go by, and the toolkit
// offers it to each parent in turn up to the window, which takes it: the drop then comes to the
// window alone.
class FileDropRouter final : public QObject {
  public:
    FileDropRouter(QWidget& window, std::function<void(const QStringList&)> open)
        : QObject(&window), window_(window), open_(std::move(open)) {
        window.setAcceptDrops(true);
        window.installEventFilter(this);
        for (QWidget* child : window.findChildren<QWidget*>()) {
            if (child->acceptDrops()) {
                child->installEventFilter(this);
            }
        }
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
            return false;
        }
        auto* drag = static_cast<QDropEvent*>(event);
        const QStringList paths = LocalFiles(drag->mimeData());
        if (paths.isEmpty()) {
            return false;
        }
        if (watched != &window_) {
            drag->ignore();
            return true;
        }
        // The file is only read: a move would have the file manager take it away.
        if (!drag->possibleActions().testFlag(Qt::CopyAction)) {
            drag->ignore();
            return true;
        }
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        if (type == QEvent::Drop) {
            QTimer::singleShot(0, &window_, [open = open_, paths] { open(paths); });
        }
        return true;
    }

  private:
    QWidget& window_;
    std::function<void(const QStringList&)> open_;
};

}  // namespace

void OpenDroppedFiles(QWidget& window, std::function<void(const QStringList& paths)> open) {
    new FileDropRouter(window, std::move(open));
}

}  // namespace minizol
