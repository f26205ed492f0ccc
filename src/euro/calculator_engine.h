#pragma once

#include <string>
#include <string_view>

namespace minizol {

// What the calculator engine drives: the window (or a test double). Setting the display runs
// the display rules at once, so reading it back gives the normalised text.
class CalculatorView {
  public:
    virtual ~CalculatorView() = default;

    virtual std::string DisplayText() const = 0;
    virtual void SetDisplayText(std::string_view text) = 0;
    virtual void SetOperatorIndicator(std::string_view op) = 0;
    virtual void SetMemoryIndicatorVisible(bool visible) = 0;
    virtual bool MemoryIndicatorVisible() const = 0;
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
// display, plus a one-value memory.
class CalculatorEngine {
  public:
    explicit CalculatorEngine(CalculatorView& view);

    // A character key. Returns the code as the engine saw it ("," becomes ".").
    int KeyPress(int charCode);
    // A key-down: Ctrl, the arrows (memory) and F1.
    void KeyDown(int keyCode);

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
    void SetDisplay(std::string_view text) { view_.SetDisplayText(text); }
    std::string Display() const { return view_.DisplayText(); }
    double DisplayValue() const;

    CalculatorView& view_;
    double storedValue_ = 0.0;
    std::string_view pendingOperator_;  // always one of the literal operator texts
    bool startNewEntry_ = false;
    double memoryValue_ = 0.0;
};

}  // namespace minizol
