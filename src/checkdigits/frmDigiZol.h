#pragma once

#include "shell/tool_window.h"

namespace minizol {

// The check-digit calculator's window.
class frmDigiZol final : public ToolWindow {
    Q_OBJECT

  public:
    explicit frmDigiZol(Shell& shell);

    static QString HelpText();

  protected:
    void mnuAyuda_Click() override;

  private:
    void Form_Load();
};

}  // namespace minizol
