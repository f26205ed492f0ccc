#include "euro/calculator_engine.h"

#include <cmath>
#include <optional>

#include "euro/display_rules.h"
#include "euro/number_text.h"

namespace minizol {
namespace {

// Results above this are refused; negative results have no lower limit.
constexpr double kLargestResult = 999'999'999'999.0;

}  // namespace

CalculatorEngine::CalculatorEngine(CalculatorView& view) : view_(view) {}

void CalculatorEngine::ShowChanges(const CalculatorDisplay& before) {
    if (!(display_ == before)) {
        view_.ShowDisplay(display_);
    }
}

int CalculatorEngine::KeyPress(int charCode) {
    const CalculatorDisplay before = display_;
    if (charCode >= '0' && charCode <= '9') {
        Digit(static_cast<char>(charCode));
        ShowChanges(before);
        return charCode;
    }
    switch (charCode) {
        case '.':
        case ',':
            Point();
            ShowChanges(before);
            return '.';
        case keys::kBackspace:
            Backspace();
            break;
        case keys::kEscape:
            Escape();
            break;
        case '+':
            Operator("+");
            break;
        case '-':
            Operator("-");
            break;
        case '*':
            Operator("X");
            break;
        case '/':
            Operator("/");
            break;
        case keys::kEnter:
            Enter();
            break;
        case keys::kSpace:
            ChangeSign();
            break;
        case 'p':
        case 'P':
            ToPesetas();
            break;
        case 'e':
        case 'E':
            ToEuros();
            break;
        default:
            break;
    }
    ShowChanges(before);
    return charCode;
}

void CalculatorEngine::KeyDown(int keyCode) {
    const CalculatorDisplay before = display_;
    switch (keyCode) {
        case keys::kCtrl:
            view_.SwitchToNextTool();
            break;
        case keys::kLeft:
            memoryValue_ = 0.0;
            display_.SetMemoryIndicatorVisible(false);
            break;
        case keys::kUp:
            AddToMemory(+1.0);
            break;
        case keys::kDown:
            AddToMemory(-1.0);
            break;
        case keys::kRight:
            if (display_.MemoryIndicatorVisible()) {
                SetDisplay(FitResultToDisplay(GeneralText(memoryValue_)));
            }
            break;
        case keys::kF1:
            view_.ShowHelp();
            break;
        default:
            break;
    }
    ShowChanges(before);
}

void CalculatorEngine::ClearEntryIfNew() {
    if (startNewEntry_) {
        display_.SetOperatorIndicator("");
        SetDisplay("");
        startNewEntry_ = false;
    }
}

void CalculatorEngine::Digit(char digit) {
    ClearEntryIfNew();
    std::string display = DisplayText();
    const std::size_t longestBeforeDigit = display.find('.') != std::string::npos ? 12 : 11;
    if (display.size() > longestBeforeDigit) {
        return;
    }
    display += digit;
    // Leading zeros go, but not the one before a decimal point: 0, 0, 7 gives 7; 0.07 stays.
    std::size_t zeros = 0;
    while (display.size() - zeros > 1 && display[zeros] == '0' && display[zeros + 1] != '.') {
        ++zeros;
    }
    SetDisplay(std::string_view(display).substr(zeros));
}

void CalculatorEngine::Point() {
    ClearEntryIfNew();
    const std::string display = DisplayText();
    // A point after an exponent ("3E-05.") would no longer be a number.
    if (display.find_first_of(".E") != std::string::npos) {
        return;
    }
    // A point on an empty display, or after a lone "-", starts the number with its zero.
    SetDisplay(display.empty() || display == "-" ? display + "0." : display + ".");
}

void CalculatorEngine::Backspace() {
    std::string display = DisplayText();
    if (display.empty()) {
        return;
    }
    if (startNewEntry_) {
        ClearEntryIfNew();
        return;
    }
    display.pop_back();
    // Deleting the last digit of an exponent takes its marker along: "1.5E+" is no number.
    const std::size_t exponent = display.find_first_of("Ee");
    if (exponent != std::string::npos &&
        display.find_first_of("0123456789", exponent) == std::string::npos) {
        display.resize(exponent);
    }
    SetDisplay(display);
}

void CalculatorEngine::Escape() {
    display_.SetOperatorIndicator("");
    pendingOperator_ = {};
    SetDisplay("");
    storedValue_ = 0.0;
}

void CalculatorEngine::Operator(std::string_view op) {
    if (DisplayText().empty()) {
        return;
    }
    display_.SetOperatorIndicator(op);
    ApplyPendingOperation();
    pendingOperator_ = op;
    storedValue_ = DisplayValue();
    startNewEntry_ = true;
}

void CalculatorEngine::Enter() {
    if (DisplayText().empty() || pendingOperator_.empty()) {
        return;
    }
    ApplyPendingOperation();
    pendingOperator_ = {};
    storedValue_ = 0.0;
    startNewEntry_ = true;
    display_.SetOperatorIndicator("");
}

void CalculatorEngine::ChangeSign() {
    const double negated = DisplayValue() * -1.0;
    if (!std::isfinite(negated)) {
        ShowError();
        return;
    }
    SetDisplay(FitResultToDisplay(GeneralText(negated)));
}

void CalculatorEngine::ToPesetas() {
    pendingOperator_ = "X";
    storedValue_ = kPesetasPerEuro;
    ApplyPendingOperation();
    // Right after an operator (or a failure) the product stays as it is and stays pending.
    if (startNewEntry_) {
        return;
    }
    // A negative product can have more digits than the display: keep its magnitude.
    SetDisplay(FitResultToDisplay(FormatWithPattern(DisplayValue(), "###########", '.', '.')));
    pendingOperator_ = {};
}

void CalculatorEngine::ToEuros() {
    pendingOperator_ = "/";
    storedValue_ = DisplayValue();
    SetDisplay(GeneralText(kPesetasPerEuro));
    ApplyPendingOperation();
    if (startNewEntry_) {
        return;
    }
    SetDisplay(FitResultToDisplay(FormatWithPattern(DisplayValue(), "########0.00", ',', '.')));
    pendingOperator_ = {};
}

void CalculatorEngine::AddToMemory(double sign) {
    const double sum = memoryValue_ + sign * DisplayValue();
    if (!std::isfinite(sum)) {
        // A memory beyond any double cannot be shown or used again: refuse it like any
        // other overflow, and keep the memory as it was.
        ShowError();
        return;
    }
    memoryValue_ = sum;
    if (memoryValue_ != 0.0) {
        display_.SetMemoryIndicatorVisible(true);
    }
}

void CalculatorEngine::ApplyPendingOperation() {
    std::optional<std::string> result = DisplayText();
    const double operand = NumericValue(*result);
    if (pendingOperator_ == "+") {
        result = GeneralText(operand + storedValue_);
    } else if (pendingOperator_ == "-") {
        result = FourDecimalText(storedValue_ - operand);
    } else if (pendingOperator_ == "X") {
        result = GeneralText(operand * storedValue_);
    } else if (pendingOperator_ == "/") {
        result = FourDecimalText(storedValue_ / operand);
    }

    const bool failed = !result || !IsNumberText(*result) ||
                        !std::isfinite(NumericValue(*result)) ||
                        NumericValue(*result) > kLargestResult;
    if (failed) {
        ShowError();
        return;
    }
    SetDisplay(FitResultToDisplay(*result));
    storedValue_ = DisplayValue();
}

void CalculatorEngine::ShowError() {
    SetDisplay(kErrorText);
    startNewEntry_ = true;
    storedValue_ = 0.0;
    pendingOperator_ = {};
}

double CalculatorEngine::DisplayValue() const {
    return NumericValue(DisplayText());
}

}  // namespace minizol
