#include "euro/calculator_engine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "euro/display_rules.h"
#include "euro/number_text.h"

namespace minizol {
namespace {

// A view that keeps what a window would show, running the display rules on every change.
class FakeView : public CalculatorView {
  public:
    std::string DisplayText() const override { return display; }
    void SetDisplayText(std::string_view text) override {
        display = NormalizeDisplayText(text);
        labels = UpdateCurrencyLabels(display);
    }
    void SetOperatorIndicator(std::string_view op) override { indicator = op; }
    void SetMemoryIndicatorVisible(bool visible) override { memoryShown = visible; }
    bool MemoryIndicatorVisible() const override { return memoryShown; }
    void SwitchToNextTool() override { ++switches; }
    void ShowHelp() override { ++helps; }

    std::string display;
    CurrencyLabels labels = UpdateCurrencyLabels("");
    std::string indicator;
    bool memoryShown = false;
    int switches = 0;
    int helps = 0;
};

// Types `keys`: plain characters are character keys; {Enter}, {Esc}, {Back} are the control
// characters and {Up}, {Down}, {Left}, {Right}, {Ctrl}, {F1} are key-downs.
void Type(CalculatorEngine& engine, std::string_view keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] != '{') {
            engine.KeyPress(static_cast<unsigned char>(keys[i]));
            continue;
        }
        const std::size_t close = keys.find('}', i);
        const std::string_view name = keys.substr(i + 1, close - i - 1);
        i = close;
        if (name == "Enter")
            engine.KeyPress(keys::kEnter);
        else if (name == "Esc")
            engine.KeyPress(keys::kEscape);
        else if (name == "Back")
            engine.KeyPress(keys::kBackspace);
        else if (name == "Up")
            engine.KeyDown(keys::kUp);
        else if (name == "Down")
            engine.KeyDown(keys::kDown);
        else if (name == "Left")
            engine.KeyDown(keys::kLeft);
        else if (name == "Right")
            engine.KeyDown(keys::kRight);
        else if (name == "Ctrl")
            engine.KeyDown(keys::kCtrl);
        else if (name == "F1")
            engine.KeyDown(keys::kF1);
        else
            ADD_FAILURE() << "unknown key " << name;
    }
}

struct KeyCase {
    const char* keys;
    const char* display;
    const char* indicator;
};

class KeySequence : public testing::TestWithParam<KeyCase> {};

TEST_P(KeySequence, LeavesDisplayAndIndicator) {
    FakeView view;
    CalculatorEngine engine(view);
    Type(engine, GetParam().keys);
    EXPECT_EQ(view.display, GetParam().display);
    EXPECT_EQ(view.indicator, GetParam().indicator);
}

INSTANTIATE_TEST_SUITE_P(Entry, KeySequence,
                         testing::Values(KeyCase{"007", "7", ""}, KeyCase{".07", "0.07", ""},
                                         KeyCase{",07", "0.07", ""}, KeyCase{"1.2.3", "1.23", ""},
                                         KeyCase{"1,2,3", "1.23", ""},
                                         KeyCase{"123456789012", "123456789012", ""},
                                         KeyCase{"1234567890123", "123456789012", ""},
                                         KeyCase{"1.23456789012345", "1.23456789012", ""},
                                         KeyCase{"12345678901.2", "12345678901.2", ""},
                                         KeyCase{"123456789012.", "123456789012.", ""},
                                         KeyCase{"123{Back}", "12", ""},
                                         KeyCase{"1{Back}{Back}", "", ""},
                                         KeyCase{"{Back}", "", ""}, KeyCase{"x=a", "", ""}));

INSTANTIATE_TEST_SUITE_P(
    Operations, KeySequence,
    testing::Values(KeyCase{"5+-", "10", "-"}, KeyCase{"1/0{Enter}", "(Error)", ""},
                    KeyCase{"1/0{Enter}7", "7", ""}, KeyCase{"0/0{Enter}", "(Error)", ""},
                    KeyCase{"1/3{Enter}", "0.3333", ""}, KeyCase{"10-3.33333{Enter}", "6.6667", ""},
                    KeyCase{"2*3{Enter}", "6", ""}, KeyCase{"2*", "2", "X"},
                    KeyCase{"2*3", "3", ""}, KeyCase{"999999999999+1{Enter}", "(Error)", ""},
                    KeyCase{"999999999998+1{Enter}", "999999999999", ""},
                    KeyCase{"1-999999999999{Enter}", "-999999999998", ""},
                    KeyCase{"0.1+0.2{Enter}", "0.3", ""}, KeyCase{"1/3*3{Enter}", "0.9999", ""},
                    KeyCase{"1.5+1.5{Enter}+", "3", "+"}, KeyCase{"{Enter}", "", ""},
                    KeyCase{"5{Enter}", "5", ""}, KeyCase{"+", "", ""}, KeyCase{"5+{Back}", "", ""},
                    KeyCase{"5+3{Esc}", "", ""}, KeyCase{"1/0{Enter}+", "(Error)", "+"},
                    KeyCase{"1234567.891234*1000{Enter}", "1234567891.23", ""}));

INSTANTIATE_TEST_SUITE_P(
    SignAndConversions, KeySequence,
    testing::Values(KeyCase{"12.5 ", "-12.5", ""}, KeyCase{"12.5  ", "12.5", ""},
                    KeyCase{" ", "0", ""}, KeyCase{"100P", "16639", ""},
                    KeyCase{"100p", "16639", ""}, KeyCase{"1000E", "6.01", ""},
                    KeyCase{"1000e", "6.01", ""}, KeyCase{"E", "0.00", ""}, KeyCase{"P", "", ""},
                    KeyCase{"10000000000P", "(Error)", ""}, KeyCase{"5+P", "831.93", "+"},
                    KeyCase{"5+E", "0.0301", "+"}, KeyCase{"3 P", "-499", ""},
                    KeyCase{"1{Back}{Back}5 {Back}", "-", ""}, KeyCase{"5 {Back}.5", "-0.5", ""},
                    KeyCase{"2.675E", "0.02", ""}, KeyCase{"445.07E", "2.67", ""}));

// Negative results have no lower limit, so a conversion can give more digits than the display
// holds; cutting them off would show a number a hundred times too small.
TEST(CalculatorEngine, LongNegativeConversionsKeepTheirMagnitude) {
    const KeyCase cases[] = {
        {"999999999999 P", "-1.66386E+14", ""},   {"999999999999 PP", "-2.7684301E+16", ""},
        {"999999999999 PPE", "-1.66386E+14", ""}, {"99999999999 P", "-1.66386E+13", ""},
        {"9999999999 PP", "-2.7684301E+14", ""},
    };
    for (const KeyCase& c : cases) {
        FakeView view;
        CalculatorEngine engine(view);
        Type(engine, c.keys);
        EXPECT_EQ(view.display, c.display) << c.keys;
    }
}

// Backspace on a result in exponent form deletes digits of the exponent, and with the last one
// its marker: "1.5E+" is not a number.
TEST(CalculatorEngine, BackspaceNeverLeavesAnExponentMarker) {
    const KeyCase cases[] = {
        {"99999999999 P{Back}", "-1.66386E+1", ""},
        {"99999999999 P{Back}{Back}", "-1.66386", ""},
        {"99999999999 P{Back}{Back}{Back}", "-1.6638", ""},
        {"0.00001*0.1{Enter}{Up}5{Right}{Back}", "1E-0", ""},
        {"0.00001*0.1{Enter}{Up}5{Right}{Back}{Back}", "1", ""},
    };
    for (const KeyCase& c : cases) {
        FakeView view;
        CalculatorEngine engine(view);
        Type(engine, c.keys);
        EXPECT_EQ(view.display, c.display) << c.keys;
    }
}

TEST(CalculatorEngine, OperatorStoresTheFirstOperand) {
    FakeView view;
    CalculatorEngine engine(view);
    Type(engine, "5+-");
    EXPECT_EQ(engine.StoredValue(), 10);
    EXPECT_EQ(engine.PendingOperator(), "-");
    EXPECT_TRUE(engine.StartNewEntry());
}

TEST(CalculatorEngine, ConversionRightAfterAnOperatorStaysPending) {
    FakeView view;
    CalculatorEngine engine(view);
    Type(engine, "5+P");
    EXPECT_EQ(engine.PendingOperator(), "X");
    EXPECT_DOUBLE_EQ(engine.StoredValue(), 831.93);
    Type(engine, "2{Enter}");
    EXPECT_EQ(view.display, "1663.86");
}

TEST(CalculatorEngine, ErrorResetsTheOperation) {
    FakeView view;
    CalculatorEngine engine(view);
    Type(engine, "1/0{Enter}");
    EXPECT_TRUE(engine.StartNewEntry());
    EXPECT_EQ(engine.StoredValue(), 0);
    EXPECT_EQ(engine.PendingOperator(), "");
    EXPECT_EQ(view.labels, (CurrencyLabels{"", ""}));
}

TEST(CalculatorEngine, MemoryKeys) {
    struct Case {
        const char* keys;
        const char* display;
        bool memoryShown;
        double memory;
    };
    const Case cases[] = {
        {"5{Up}", "5", true, 5},
        {"5{Up}{Down}", "5", true, 0},
        {"5{Up}{Down}{Right}", "0", true, 0},
        {"5{Up}{Down}{Left}", "5", false, 0},
        {"5{Up}{Left}{Esc}{Right}", "", false, 0},
        {"5{Up}{Up}{Esc}{Right}", "10", true, 10},
        {"5{Down}{Esc}{Right}", "-5", true, -5},
        {"{Up}", "", false, 0},
        {"999999999999{Up}{Up}{Esc}{Right}", "1999999999998", true, 1999999999998},
        {"2*3{Up}{Right}{Enter}", "6", true, 3},
    };
    for (const Case& c : cases) {
        FakeView view;
        CalculatorEngine engine(view);
        Type(engine, c.keys);
        EXPECT_EQ(view.display, c.display) << c.keys;
        EXPECT_EQ(view.memoryShown, c.memoryShown) << c.keys;
        EXPECT_EQ(engine.MemoryValue(), c.memory) << c.keys;
    }
}

TEST(CalculatorEngine, EscapeKeepsMemoryAndNewEntryFlag) {
    FakeView view;
    CalculatorEngine engine(view);
    Type(engine, "7{Up}3+{Esc}");
    EXPECT_TRUE(view.memoryShown);
    EXPECT_EQ(engine.MemoryValue(), 7);
    EXPECT_EQ(engine.PendingOperator(), "");
    EXPECT_EQ(engine.StoredValue(), 0);
    EXPECT_TRUE(engine.StartNewEntry());
}

TEST(CalculatorEngine, CtrlAndF1GoToTheWindow) {
    FakeView view;
    CalculatorEngine engine(view);
    Type(engine, "12{Ctrl}{F1}{Ctrl}");
    EXPECT_EQ(view.switches, 2);
    EXPECT_EQ(view.helps, 1);
    EXPECT_EQ(view.display, "12");
}

TEST(CalculatorEngine, CommaIsSeenAsPoint) {
    FakeView view;
    CalculatorEngine engine(view);
    EXPECT_EQ(engine.KeyPress(','), '.');
    EXPECT_EQ(engine.KeyPress('5'), '5');
}

TEST(CalculatorEngine, MemoryOverflowIsAnErrorNotInfinity) {
    FakeView view;
    CalculatorEngine engine(view);
    // Negative products have no lower limit, so -1E+308 can be reached and then negated.
    Type(engine, "0-500000000000-500000000000{Enter}");
    ASSERT_EQ(view.display, "-1000000000000");
    for (int i = 0; i < 26; ++i) {
        Type(engine, "*100000000000{Enter}");
    }
    Type(engine, "*10000000000{Enter} ");
    ASSERT_EQ(view.display, "1E+308");
    Type(engine, "{Up}{Up}");
    EXPECT_EQ(view.display, "(Error)");
    EXPECT_EQ(engine.MemoryValue(), 1e308);
    EXPECT_TRUE(engine.StartNewEntry());
}

// Any sequence of keys leaves the display empty, a number or "(Error)", within its length,
// with the engine's state consistent.
TEST(CalculatorEngine, RandomKeysKeepTheDisplayValid) {
    const std::string alphabet = "0123456789.,+-*/ pPeEx=\b\r\x1b";
    const int keyDowns[] = {keys::kLeft, keys::kUp, keys::kRight, keys::kDown};
    std::mt19937 random(20261206);
    FakeView view;
    CalculatorEngine engine(view);
    for (int step = 0; step < 200000; ++step) {
        const unsigned pick = random() % (alphabet.size() + 4);
        if (pick < alphabet.size()) {
            engine.KeyPress(static_cast<unsigned char>(alphabet[pick]));
        } else {
            engine.KeyDown(keyDowns[pick - alphabet.size()]);
        }
        const std::string& d = view.display;
        // A lone "-" is the one partial entry: what Backspace leaves of a negative number.
        const bool valid = d.empty() || d == kErrorText || IsNumberText(d) || d == "-";
        ASSERT_TRUE(valid) << "step " << step << " display " << d;
        ASSERT_LE(d.size(), d.starts_with('-') ? 14u : 13u) << d;
        ASSERT_TRUE(engine.PendingOperator().empty() || engine.PendingOperator() == "+" ||
                    engine.PendingOperator() == "-" || engine.PendingOperator() == "X" ||
                    engine.PendingOperator() == "/");
        ASSERT_TRUE(std::isfinite(engine.StoredValue()) && std::isfinite(engine.MemoryValue()));
        if (d == kErrorText) {
            ASSERT_TRUE(engine.StartNewEntry()) << "step " << step;
        }
        if (engine.MemoryValue() != 0) {
            ASSERT_TRUE(view.memoryShown) << "step " << step;
        }
    }
}

}  // namespace
}  // namespace minizol
