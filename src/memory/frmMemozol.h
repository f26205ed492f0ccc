#pragma once

#include "shell/tool_window.h"

namespace minizol {

// The memory monitor's window.
class frmMemozol final : public ToolWindow {
    Q_OBJECT

  public:
    explicit frmMemozol(Shell& shell);

  protected:
    bool Form_KeyDown(int keyCode) override;
    void mnuAyuda_Click() override;

  private:
    void Form_Load();
};

}  // namespace minizol
