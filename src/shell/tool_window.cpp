#include "shell/tool_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <initializer_list>

#include "platform/key_codes.h"
#include "shell/app_icon.h"
#include "shell/shell.h"

namespace minizol {
namespace {

constexpr int kCtrlKeyCode = 17;
const QString kCaption = QStringLiteral("MiniZol 3.0");

// Places the window's outer frame in the middle of the primary screen. Until the window
// system has framed the window its frame is not known; the window then centres again when it
// is shown or activated. Returns whether the frame was known.
bool CentreOnScreen(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return true;
    }
    const bool frameKnown = window.isVisible() && window.frameGeometry().size() != window.size();
    const QSize outer = frameKnown ? window.frameGeometry().size() : window.size();
    const QRect area = screen->geometry();
    window.move(area.x() + (area.width() - outer.width()) / 2,
                area.y() + (area.height() - outer.height()) / 2);
    return frameKnown;
}

// The toolkit leaves the menu bar holding the keyboard when Escape closes one of its menus.
// After a menu opened with the mouse nobody asked for that: the digits, arrows and Escape that
// follow would go to the menu bar instead of the tool. Such a menu closes whole at its Escape.
class MouseMenuEscape final : public QObject {
  public:
    MouseMenuEscape(QMenuBar& bar, std::initializer_list<QMenu*> menus)
        : QObject(&bar), bar_(&bar) {
        bar.installEventFilter(this);
        for (QMenu* menu : menus) {
            menu->installEventFilter(this);
        }
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == bar_) {
            if (event->type() == QEvent::MouseButtonPress) {
                openedByMouse_ = true;
            } else if (event->type() == QEvent::KeyPress) {
                openedByMouse_ = false;  // walking the bar with the keyboard, after Alt
            }
            return false;
        }
        if (event->type() != QEvent::KeyPress || !openedByMouse_ ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) {
            return false;
        }
        static_cast<QMenu*>(watched)->hide();
        return true;
    }

  private:
    QMenuBar* bar_;
    bool openedByMouse_ = false;
};

}  // namespace

ToolWindow::ToolWindow(Shell& shell, const Frame& frame) : shell_(shell), tool_(frame.tool) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint;
    if (!frame.fixedSize) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    setWindowFlags(flags);
    setWindowTitle(kCaption);
    setWindowIcon(ApplicationIcon());

    mnuOpciones_ = menuBar()->addMenu(frame.optionsCaption);
    mnuOpciones_->setObjectName("mnuOpciones");
    mnuAyuda_ = mnuOpciones_->addAction(QStringLiteral("Ayuda"));
    mnuAyuda_->setObjectName("mnuAyuda");
    if (frame.helpShortcut) {
        mnuAyuda_->setShortcut(Qt::Key_F1);
    }
    connect(mnuAyuda_, &QAction::triggered, this, [this] { mnuAyuda_Click(); });
    mnuAbout_ = mnuOpciones_->addAction(QStringLiteral("Acerca de ..."));
    mnuAbout_->setObjectName("mnuAbout");
    mnuAbout_->setEnabled(shell.HasAboutWindow());
    connect(mnuAbout_, &QAction::triggered, this, [this] { mnuAbout_Click(); });

    mnuApp_ = menuBar()->addMenu(QStringLiteral("(más)"));
    mnuApp_->setObjectName("mnuApp");
    QAction* placeholder = mnuApp_->addAction(QStringLiteral("..."));
    placeholder->setObjectName("mnuApps(0)");
    mnuApps_.push_back(placeholder);
    new MouseMenuEscape(*menuBar(), {mnuOpciones_, mnuApp_});
}

ToolWindow::~ToolWindow() = default;

void ToolWindow::SetClientSize(QSize size) {
    QWidget* client = centralWidget();
    if (client == nullptr) {
        client = new QWidget(this);
        client->setObjectName("client");
        setCentralWidget(client);
    }
    if (windowFlags().testFlag(Qt::WindowMaximizeButtonHint)) {
        client->setMinimumSize(0, 0);
        resize(size.width(), size.height() + menuBar()->sizeHint().height());
    } else {
        client->setFixedSize(size);
        layout()->setSizeConstraint(QLayout::SetFixedSize);
        layout()->activate();
    }
}

void ToolWindow::InsertOptionsEntry(QAction* entry) {
    mnuOpciones_->insertAction(mnuAyuda_, entry);
}

void ToolWindow::ShowMessage(const QString& text, MessageIcon icon, const QString& title) {
    shell_.dialogs().Message(this, text, icon, title);
}

bool ToolWindow::PreviewKey(QKeyEvent& event) {
    const std::optional<int> code = KeyDownCode(event);
    // While the user walks the menu bar with the keyboard the keys are its own; a tool acting
    // on them too would type a digit or move its memory behind an opening menu. Ctrl still
    // switches: the menu bar has no use for it.
    const bool walkingMenuBar = menuBar()->hasFocus() && menuBar()->activeAction() != nullptr;
    if (walkingMenuBar && code != kCtrlKeyCode) {
        return false;
    }
    if (code && Form_KeyDown(*code)) {
        return true;
    }
    if (const std::optional<int> character = CharacterCode(event)) {
        return Form_KeyPress(*character);
    }
    return false;
}

void ToolWindow::Form_Activate() {
    PrepareToolWindow(*this);
}

bool ToolWindow::Form_KeyDown(int keyCode) {
    if (keyCode == kCtrlKeyCode) {
        SwitchTool(*this, 0);
        return true;
    }
    return false;
}

bool ToolWindow::Form_KeyPress(int) {
    return false;
}

void ToolWindow::mnuApps_Click(int index) {
    SwitchTool(*this, index);
}

void ToolWindow::mnuAbout_Click() {
    shell_.ShowAbout(*this);
    // Coming back from the About window activates the tool window again.
    Form_Activate();
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    shell_.EndApplication();
}

bool ToolWindow::event(QEvent* event) {
    const bool framed = event->type() == QEvent::Show || event->type() == QEvent::WindowActivate;
    if (framed && recentreWhenFrameKnown_) {
        recentreWhenFrameKnown_ = !CentreOnScreen(*this);
    }
    return QMainWindow::event(event);
}

void PrepareToolWindow(ToolWindow& window) {
    window.setWindowTitle(kCaption);
    window.recentreWhenFrameKnown_ = !CentreOnScreen(window);
    window.mnuApp_->setTitle(QStringLiteral("(más)"));

    if (window.mnuApps_.size() != 1) {
        return;  // the tools entries are built once per window
    }
    for (ToolId tool : kAllTools) {
        const int index = static_cast<int>(tool);
        QAction* entry = window.mnuApp_->addAction(QString::fromUtf8(ToolName(tool)));
        entry->setObjectName(QStringLiteral("mnuApps(%1)").arg(index));
        QObject::connect(entry, &QAction::triggered, &window,
                         [&window, index] { window.mnuApps_Click(index); });
        window.mnuApps_.push_back(entry);
    }
    if (const std::optional<ToolId> own = ToolFromTag(window.Tag().toStdString())) {
        window.mnuApps_[static_cast<std::size_t>(*own)]->setEnabled(false);
    }
    // Hidden only now, so the menu never has no visible entry.
    window.mnuApps_.front()->setVisible(false);
}

void SwitchTool(ToolWindow& window, int index) {
    const std::optional<ToolId> target = SwitchTarget(window.Tool(), index);
    if (!target) {
        return;
    }
    window.hide();
    window.shell().Show(*target);
}

}  // namespace minizol
