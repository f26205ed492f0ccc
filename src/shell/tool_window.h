#pragma once

#include <QMainWindow>
#include <QString>
#include <vector>

#include "platform/dialogs.h"
#include "shell/tool_table.h"

class QAction;
class QKeyEvent;
class QMenu;

namespace minizol {

class Shell;

// The frame every tool window shares: the caption, the options menu with "Ayuda" and
// "Acerca de ...", the "(más)" tools menu, Ctrl switching and the end of the program on close.
// A tool adds its own controls, its help text and its keys.
class ToolWindow : public QMainWindow {
    Q_OBJECT

  public:
    struct Frame {
        ToolId tool;
        QString optionsCaption;  // the caption of the first menu
        bool helpShortcut;       // whether "Ayuda" carries F1
        bool fixedSize;          // a fixed single border, or a sizable one
    };

    ToolWindow(Shell& shell, const Frame& frame);
    ~ToolWindow() override;

    ToolId Tool() const { return tool_; }
    // The tool identifier, set by the tool when it loads.
    const QString& Tag() const { return tag_; }
    Shell& shell() const { return shell_; }

    // Sees every key before the focused control does, except while the user walks the menu bar
    // with the keyboard. Returns true when the key was used up.
    bool PreviewKey(QKeyEvent& event);

    // Runs when the window becomes the active tool window: shown by the shell, or back from the
    // About window.
    virtual void Form_Activate();

  protected:
    void SetTag(const QString& tag) { tag_ = tag; }
    // Sizes the area below the menu bar, in pixels.
    void SetClientSize(QSize size);
    // Adds a tool's own entry to the options menu, above "Ayuda".
    void InsertOptionsEntry(QAction* entry);
    QMenu* OptionsMenu() const { return mnuOpciones_; }
    void ShowMessage(const QString& text, MessageIcon icon,
                     const QString& title = kApplicationTitle);

    // Key-down with its code. Returns true when the key needs no further handling; the default
    // switches to the next tool on Ctrl.
    virtual bool Form_KeyDown(int keyCode);
    // A typed character. Returns true when it is used up.
    virtual bool Form_KeyPress(int charCode);
    virtual void mnuAyuda_Click() = 0;
    virtual void mnuApps_Click(int index);
    void mnuAbout_Click();

    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    friend void PrepareToolWindow(ToolWindow& window);

    Shell& shell_;
    ToolId tool_;
    QString tag_;
    QMenu* mnuOpciones_ = nullptr;
    QAction* mnuAyuda_ = nullptr;
    QAction* mnuAbout_ = nullptr;
    QMenu* mnuApp_ = nullptr;
    std::vector<QAction*> mnuApps_;
    bool recentreWhenFrameKnown_ = false;
};

// Captions the window, centres it on the primary screen by its outer frame and, on its first
// activation, fills its tools menu.
void PrepareToolWindow(ToolWindow& window);

// Hides `window` and shows the tool of `index`: 0 the next tool of the cycle, 1 to 4 that tool.
void SwitchTool(ToolWindow& window, int index);

}  // namespace minizol
