#include "shell/shell.h"

#include <QApplication>
#include <QKeyEvent>

#include "shell/tool_window.h"

namespace minizol {

Shell::Shell(Dialogs& dialogs, std::function<void()> endApplication)
    : dialogs_(dialogs), endApplication_(std::move(endApplication)) {
    // Keys go to the focused control first; the tool windows must see them before it.
    qApp->installEventFilter(this);
}

Shell::~Shell() {
    qApp->removeEventFilter(this);
}

void Shell::SetFactory(ToolId tool, WindowFactory factory) {
    factories_[Slot(tool)] = std::move(factory);
}

void Shell::SetAboutWindow(std::function<void(ToolWindow&)> showAbout) {
    showAbout_ = std::move(showAbout);
}

void Shell::Start() {
    Show(ToolId::EuroZol);
}

ToolWindow& Shell::Show(ToolId tool) {
    std::unique_ptr<ToolWindow>& window = windows_[Slot(tool)];
    if (!window) {
        window = factories_[Slot(tool)](*this);  // the window loads in its constructor
    }
    window->Form_Activate();
    window->show();
    window->raise();
    window->activateWindow();
    return *window;
}

ToolWindow* Shell::Existing(ToolId tool) const {
    return windows_[Slot(tool)].get();
}

void Shell::ShowAbout(ToolWindow& over) {
    if (showAbout_) {
        showAbout_(over);
    }
}

void Shell::EndApplication() {
    for (const std::unique_ptr<ToolWindow>& window : windows_) {
        if (window) {
            window->hide();
        }
    }
    endApplication_();
}

bool Shell::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyRelease) {
        previewed_ = nullptr;  // a new key press begins
        return false;
    }
    // A key the focused control leaves unused travels on to each of its parents as the same
    // event: the tool window sees it once, not once per parent.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || event == previewed_) {
        return false;
    }
    auto* window = qobject_cast<ToolWindow*>(static_cast<QWidget*>(watched)->window());
    if (window == nullptr || windows_[Slot(window->Tool())].get() != window) {
        return false;
    }
    previewed_ = event;
    return window->PreviewKey(static_cast<QKeyEvent&>(*event));
}

}  // namespace minizol
