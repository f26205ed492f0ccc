#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <memory>

#include "shell/tool_table.h"

namespace minizol {

class Dialogs;
class ToolWindow;

// Owns the one window of each tool, created the first time it is shown and only hidden
// afterwards, and routes every key to the tool window before its focused control.
class Shell : public QObject {
    Q_OBJECT

  public:
    using WindowFactory = std::function<std::unique_ptr<ToolWindow>(Shell&)>;

    Shell(Dialogs& dialogs, std::function<void()> endApplication);
    ~Shell() override;

    void SetFactory(ToolId tool, WindowFactory factory);
    void SetAboutWindow(std::function<void(ToolWindow& over)> showAbout);

    // Shows the first tool.
    void Start();
    // Shows the tool's window, creating and loading it on first use.
    ToolWindow& Show(ToolId tool);
    ToolWindow* Existing(ToolId tool) const;

    Dialogs& dialogs() const { return dialogs_; }
    bool HasAboutWindow() const { return static_cast<bool>(showAbout_); }
    void ShowAbout(ToolWindow& over);
    // Closing any tool window ends the whole program.
    void EndApplication();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static std::size_t Slot(ToolId tool) { return static_cast<std::size_t>(tool) - 1; }

    Dialogs& dialogs_;
    std::function<void()> endApplication_;
    std::function<void(ToolWindow&)> showAbout_;
    std::array<WindowFactory, 4> factories_;
    std::array<std::unique_ptr<ToolWindow>, 4> windows_;
    const QEvent* previewed_ = nullptr;  // the key press the tool window has seen
};

}  // namespace minizol
