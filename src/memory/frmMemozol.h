#pragma once

#include "shell/tool_window.h"

class QLabel;
class QTimer;

namespace minizol {

// The memory monitor's window: the memory report in a fixed-pitch label, rewritten ten times a
// second while the monitor is the shown tool, in a window that stays above all others meanwhile.
class frmMemozol final : public ToolWindow {
    Q_OBJECT

  public:
    explicit frmMemozol(Shell& shell);

    void Form_Activate() override;

  protected:
    bool Form_KeyDown(int keyCode) override;
    void mnuAyuda_Click() override;
    void mnuApps_Click(int index) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Form_Load();
    void Timer1_Timer();
    // Stops the refresh and leaves the top layer before the window is hidden for another tool.
    void LeaveFor(int toolIndex);

    QLabel* Label1_ = nullptr;
    QTimer* Timer1_ = nullptr;
};

}  // namespace minizol
