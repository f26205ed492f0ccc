#pragma once

#include "euro/calculator_engine.h"
#include "shell/tool_window.h"

class QLabel;
class QLineEdit;

namespace minizol {

// The keyboard calculator's window: a display that never takes the focus, the peseta and euro
// captions, the operator and memory indicators, all mirroring the engine's display. Every key
// goes to the engine.
class frmEuroZol final : public ToolWindow, private CalculatorView {
    Q_OBJECT

  public:
    explicit frmEuroZol(Shell& shell);

    static QString HelpText();

  protected:
    bool Form_KeyDown(int keyCode) override;
    bool Form_KeyPress(int charCode) override;
    void mnuAyuda_Click() override;

  private:
    void Form_Load();
    void ShowCalculatorHelp();

    // CalculatorView
    void ShowDisplay(const CalculatorDisplay& display) override;
    void SwitchToNextTool() override;
    void ShowHelp() override;

    CalculatorEngine engine_;
    QLabel* lblPtas_ = nullptr;
    QLabel* lblEuros_ = nullptr;
    QLineEdit* txtResult_ = nullptr;
    QLabel* lblOpera_ = nullptr;
    QLabel* lblMemo_ = nullptr;
};

}  // namespace minizol
