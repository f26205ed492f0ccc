#pragma once

#include "shell/tool_window.h"

namespace minizol {

// The on-screen ruler's window.
class frmReglazol final : public ToolWindow {
    Q_OBJECT

  public:
    explicit frmReglazol(Shell& shell);

    static QString HelpText();

  protected:
    void mnuAyuda_Click() override;

  private:
    void Form_Load();
    void mnuTamanyo_Click();
};

}  // namespace minizol
