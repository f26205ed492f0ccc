#pragma once

#include <string>
#include <string_view>

#include "euro/calculator_display.h"

namespace minizol {

// What the calculator engine drives: the window (or a test double).
class CalculatorView {
  public:
    virtual ~CalculatorView() = default;

    // The display changed during a key: show it as it now stands.
    virtual void ShowDisplay(const CalculatorDisplay& display) = 0;
    virtual void SwitchToNextTool() = 0;
    virtual void ShowHelp() = 0;
};

// Character codes and key codes the engine understands.
namespace keys {
inline constexpr int kBackspace = 8;
inline constexpr int kEnter = 13;
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kCtrl = 17;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kF1 = 112;
}  // namespace keys

inline constexpr std::string_view kErrorText = "(Error)";

// The keyboard calculator: a two-operand state machine whose operand and result live on the
// display, plus a one-value memory. After each key that changed the display, the view is told.
class CalculatorEngine {
  public:
    explicit CalculatorEngine(CalculatorView& view);

    // A character key. Returns the code as the engine saw it ("," becomes ".").
    int KeyPress(int charCode);
    // A key-down: Ctrl, the arrows (memory) and F1.
    void KeyDown(int keyCode);

    const CalculatorDisplay& Display() const { return display_; }
    double StoredValue() const { return storedValue_; }
    // "", "+", "-", "X" or "/".
    std::string_view PendingOperator() const { return pendingOperator_; }
    bool StartNewEntry() const { return startNewEntry_; }
    double MemoryValue() const { return memoryValue_; }

  private:
    void Digit(char digit);
    void Point();
    void Backspace();
    void Escape();
    void Operator(std::string_view op);
    void Enter();
    void ChangeSign();
    void ToPesetas();
    void ToEuros();
    void AddToMemory(double sign);

    void ClearEntryIfNew();
    void ApplyPendingOperation();
    void ShowError();
    void ShowChanges(const CalculatorDisplay& before);
    void SetDisplay(std::string_view text) { display_.SetText(text); }
    const std::string& DisplayText() const { return display_.Text(); }
    double DisplayValue() const;

    CalculatorView& view_;
    CalculatorDisplay display_;
    double storedValue_ = 0.0;
    std::string_view pendingOperator_;  // always one of the literal operator texts
    bool startNewEntry_ = false;
    double memoryValue_ = 0.0;
};

}  // namespace minizol
