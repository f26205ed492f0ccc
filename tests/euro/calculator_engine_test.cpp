#include "euro/calculator_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "euro/display_rules.h"
#include "euro/number_text.h"
#include "support/fake_calculator_view.h"

namespace minizol {
namespace {

using FakeView = testing::FakeCalculatorView;

// Types `keys`: plain characters are character keys; {Enter}, {Esc} and {Back} type those
// control characters; {Up}, {Down}, {Left}, {Right}, {Ctrl} and {F1} are key-downs.
void Type(CalculatorEngine& engine, std::string_view keys) {
    struct Named {
        std::string_view name;
        int code;
        bool keyDown;
    };
    static constexpr Named kNamed[] = {
        {"Enter", keys::kEnter, false},    {"Esc", keys::kEscape, false},
        {"Back", keys::kBackspace, false}, {"Up", keys::kUp, true},
        {"Down", keys::kDown, true},       {"Left", keys::kLeft, true},
        {"Right", keys::kRight, true},     {"Ctrl", keys::kCtrl, true},
        {"F1", keys::kF1, true},
    };
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] != '{') {
            engine.KeyPress(static_cast<unsigned char>(keys[i]));
            continue;
        }
        const std::size_t close = keys.find('}', i);
        const std::string_view name = keys.substr(i + 1, close - i - 1);
        i = close;
        const auto* key = std::find_if(std::begin(kNamed), std::end(kNamed),
                                       [&](const Named& n) { return n.name == name; });
        ASSERT_NE(key, std::end(kNamed)) << "unknown key " << name;
        key->keyDown ? engine.KeyDown(key->code) : static_cast<void>(engine.KeyPress(key->code));
    }
}

struct KeyCase {
    const char* keys;
    const char* display;
    const char* indicator;
};

// Failures and test names show the keys typed.
void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << '"' << c.keys << '"';
}

class KeySequence : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeySequence, LeavesDisplayAndIndicator) {
    FakeView view;
    CalculatorEngine engine(view);
    Type(engine, GetParam().keys);
    EXPECT_EQ(view.display, GetParam().display);
    EXPECT_EQ(view.indicator, GetParam().indicator);
}

INSTANTIATE_TEST_SUITE_P(Entry, KeySequence,
                         ::testing::Values(KeyCase{"007", "7", ""}, KeyCase{".07", "0.07", ""},
                                           KeyCase{",07", "0.07", ""}, KeyCase{"1.2,3", "1.23", ""},
                                           KeyCase{"1234567890123", "123456789012", ""},
                                           KeyCase{"1.23456789012345", "1.23456789012", ""},
                                           KeyCase{"123456789012.", "123456789012.", ""},
                                           KeyCase{"123{Back}", "12", ""},
                                           KeyCase{"1{Back}{Back}", "", ""},
                                           KeyCase{"x=a", "", ""}));

INSTANTIATE_TEST_SUITE_P(
    Operations, KeySequence,
    ::testing::Values(KeyCase{"5+-", "10", "-"}, KeyCase{"1/0{Enter}", "(Error)", ""},
                      KeyCase{"1/0{Enter}7", "7", ""}, KeyCase{"0/0{Enter}", "(Error)", ""},
                      KeyCase{"1/3{Enter}", "0.3333", ""},
                      KeyCase{"10-3.33333{Enter}", "6.6667", ""}, KeyCase{"2*", "2", "X"},
                      KeyCase{"2*3{Enter}", "6", ""},
                      KeyCase{"999999999999+1{Enter}", "(Error)", ""},
                      KeyCase{"999999999998+1{Enter}", "999999999999", ""},
                      KeyCase{"1-999999999999{Enter}", "-999999999998", ""},
                      KeyCase{"0.1+0.2{Enter}", "0.3", ""}, KeyCase{"1/3*3{Enter}", "0.9999", ""},
                      KeyCase{"5{Enter}", "5", ""}, KeyCase{"+", "", ""},
                      KeyCase{"5+{Back}", "", ""}, KeyCase{"5+3{Esc}", "", ""},
                      KeyCase{"1/0{Enter}+", "(Error)", "+"},
                      KeyCase{"1234567.891234*1000{Enter}", "1234567891.23", ""}));

INSTANTIATE_TEST_SUITE_P(
    SignAndConversions, KeySequence,
    ::testing::Values(KeyCase{"12.5 ", "-12.5", ""}, KeyCase{" ", "0", ""},
                      KeyCase{"100P", "16639", ""}, KeyCase{"1000e", "6.01", ""},
                      KeyCase{"E", "0.00", ""}, KeyCase{"P", "", ""},
                      KeyCase{"10000000000P", "(Error)", ""}, KeyCase{"5+P", "831.93", "+"},
                      KeyCase{"5+E", "0.0301", "+"}, KeyCase{"3 P", "-499", ""},
                      KeyCase{"1{Back}{Back}5 {Back}", "-", ""}, KeyCase{"5 {Back}.5", "-0.5", ""},
                      KeyCase{"2.675E", "0.02", ""}, KeyCase{"445.07E", "2.67", ""}));

// Negative results have no lower limit, so a result can have more digits than the display
// holds: cutting them off would show a number a hundred times too small, and Backspace on an
// exponent must not leave a bare "E+".
INSTANTIATE_TEST_SUITE_P(LongResults, KeySequence,
                         ::testing::Values(KeyCase{"999999999999 P", "-1.66386E+14", ""},
                                           KeyCase{"999999999999 PP", "-2.7684301E+16", ""},
                                           KeyCase{"999999999999 PPE", "-1.66386E+14", ""},
                                           KeyCase{"99999999999 P{Back}", "-1.66386E+1", ""},
                                           KeyCase{"99999999999 P{Back}{Back}", "-1.66386", ""},
                                           KeyCase{"0.00001*0.1{Enter}{Up}5{Right}{Back}{Back}",
                                                   "1", ""}));

INSTANTIATE_TEST_SUITE_P(Memory, KeySequence,
                         ::testing::Values(KeyCase{"5{Up}{Down}{Right}", "0", ""},
                                           KeyCase{"5{Up}{Up}{Esc}{Right}", "10", ""},
                                           KeyCase{"5{Down}{Esc}{Right}", "-5", ""},
                                           KeyCase{"5{Up}{Left}{Esc}{Right}", "", ""},
                                           KeyCase{"999999999999{Up}{Up}{Esc}{Right}",
                                                   "1999999999998", ""},
                                           KeyCase{"2*3{Up}{Right}{Enter}", "6", ""}));

TEST(CalculatorEngine, StateAfterKeys) {
    struct Case {
        const char* keys;
        double stored;
        const char* pending;
        bool startNewEntry;
        double memory;
        bool memoryShown;
    };
    const Case cases[] = {
        {"5+-", 10, "-", true, 0, false},
        {"5+P", 831.93, "X", true, 0, false},  // P right after an operator stays pending
        {"1/0{Enter}", 0, "", true, 0, false},
        {"7{Up}3+{Esc}", 0, "", true, 7, true},  // Esc keeps the memory and the new-entry flag
        {"5{Up}{Down}", 0, "", false, 0, true},  // only Left hides the mark
        {"5{Up}{Down}{Left}", 0, "", false, 0, false},
        {"{Up}", 0, "", false, 0, false},
    };
    for (const Case& c : cases) {
        FakeView view;
        CalculatorEngine engine(view);
        Type(engine, c.keys);
        EXPECT_DOUBLE_EQ(engine.StoredValue(), c.stored) << c.keys;
        EXPECT_EQ(engine.PendingOperator(), c.pending) << c.keys;
        EXPECT_EQ(engine.StartNewEntry(), c.startNewEntry) << c.keys;
        EXPECT_EQ(engine.MemoryValue(), c.memory) << c.keys;
        EXPECT_EQ(view.memoryShown, c.memoryShown) << c.keys;
    }
}

TEST(CalculatorEngine, CtrlAndF1GoToTheWindow) {
    FakeView view;
    CalculatorEngine engine(view);
    Type(engine, "12{Ctrl}{F1}{Ctrl}");
    EXPECT_EQ(view.switches, 2);
    EXPECT_EQ(view.helps, 1);
    EXPECT_EQ(view.display, "12");
}

TEST(CalculatorEngine, MemoryOverflowIsAnErrorNotInfinity) {
    FakeView view;
    CalculatorEngine engine(view);
    // Negative products have no lower limit, so -1E+308 can be reached and then negated.
    Type(engine, "0-500000000000-500000000000{Enter}");
    for (int i = 0; i < 26; ++i) {
        Type(engine, "*100000000000{Enter}");
    }
    Type(engine, "*10000000000{Enter} ");
    ASSERT_EQ(view.display, "1E+308");
    Type(engine, "{Up}{Up}");
    EXPECT_EQ(view.display, "(Error)");
    EXPECT_EQ(engine.MemoryValue(), 1e308);
}

// Any sequence of keys keeps the rules the fuzz target checks too.
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
        const char* broken = testing::BrokenCalculatorRule(view, engine);
        ASSERT_EQ(broken, nullptr) << broken << " at step " << step << ": " << view.display;
    }
}

}  // namespace
}  // namespace minizol
