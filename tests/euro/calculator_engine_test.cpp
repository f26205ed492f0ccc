#include "euro/calculator_engine.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "euro/number_text.h"
#include "support/fake_calculator_view.h"

namespace minizol {
namespace {

using FakeView = testing::FakeCalculatorView;

// Types `keys`: plain characters are character keys; {Enter}, {Esc} and {Back} type those
// control characters; {Up}, {Down}, {Left}, {Right}, {Ctrl} and {F1} are key-downs (negative).
void Type(CalculatorEngine& engine, std::string_view keys) {
    static const std::map<std::string_view, int> kNamed = {
        {"Enter", keys::kEnter},  {"Esc", keys::kEscape}, {"Back", keys::kBackspace},
        {"Up", -keys::kUp},       {"Down", -keys::kDown}, {"Left", -keys::kLeft},
        {"Right", -keys::kRight}, {"Ctrl", -keys::kCtrl}, {"F1", -keys::kF1}};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        int key = static_cast<unsigned char>(keys[i]);
        if (keys[i] == '{') {
            const std::size_t close = keys.find('}', i);
            key = kNamed.at(keys.substr(i + 1, close - i - 1));  // throws on an unknown name
            i = close;
        }
        key < 0 ? engine.KeyDown(-key) : static_cast<void>(engine.KeyPress(key));
    }
}

struct KeyCase {
    const char *keys, *display, *indicator = "";
};

// Failures and test names show the keys typed.
void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << '"' << c.keys << '"';
}

using K = KeyCase;
class KeySequence : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeySequence, LeavesDisplayAndIndicator) {
    FakeView view;
    CalculatorEngine engine(view);
    Type(engine, GetParam().keys);
    EXPECT_EQ(view.display, GetParam().display);
    EXPECT_EQ(view.indicator, GetParam().indicator);
    EXPECT_EQ(testing::BrokenCalculatorRule(view, engine), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeySequence,
    ::testing::Values(
        // Entry.
        K{"007", "7"}, K{".07", "0.07"}, K{",07", "0.07"}, K{"1.2,3", "1.23"},
        K{"1234567890123", "123456789012"}, K{"1.23456789012345", "1.23456789012"},
        K{"123456789012.", "123456789012."}, K{"123{Back}", "12"}, K{"1{Back}{Back}", ""},
        K{"x=a", ""},
        // Operations.
        K{"5+-", "10", "-"}, K{"1/0{Enter}", "(Error)"}, K{"1/0{Enter}7", "7"},
        K{"0/0{Enter}", "(Error)"}, K{"1/3{Enter}", "0.3333"}, K{"10-3.33333{Enter}", "6.6667"},
        K{"2*", "2", "X"}, K{"2*3{Enter}", "6"}, K{"999999999999+1{Enter}", "(Error)"},
        K{"999999999998+1{Enter}", "999999999999"}, K{"1-999999999999{Enter}", "-999999999998"},
        K{"0.1+0.2{Enter}", "0.3"}, K{"1/3*3{Enter}", "0.9999"}, K{"5{Enter}", "5"}, K{"+", ""},
        K{"5+{Back}", ""}, K{"5+3{Esc}", ""}, K{"1/0{Enter}+", "(Error)", "+"},
        K{"1234567.891234*1000{Enter}", "1234567891.23"},
        K{"12345678901+0.55{Enter}", "12345678901.5"},
        // Sign and conversions.
        K{"12.5 ", "-12.5"}, K{" ", "0"}, K{"100P", "16639"}, K{"1000e", "6.01"}, K{"E", "0.00"},
        K{"P", ""}, K{"10000000000P", "(Error)"}, K{"5+P", "831.93", "+"}, K{"5+E", "0.0301", "+"},
        K{"3 P", "-499"}, K{"1{Back}{Back}5 {Back}", "-"}, K{"5 {Back}.5", "-0.5"},
        K{"2.675E", "0.02"}, K{"445.07E", "2.67"},
        // Long results. Negative results have no lower limit, so a result can have more digits than
        // the display holds: cutting them off would show a number a hundred times too small, and
        // Backspace on an exponent must not leave a bare "E+".
        K{"999999999999 P", "-1.66386E+14"}, K{"999999999999 PP", "-2.7684301E+16"},
        K{"999999999999 PPE", "-1.66386E+14"}, K{"99999999999 P{Back}", "-1.66386E+1"},
        K{"99999999999 P{Back}{Back}", "-1.66386"},
        K{"0.00001*0.1{Enter}{Up}5{Right}{Back}{Back}", "1"},
        // Memory.
        K{"5{Up}{Down}{Right}", "0"}, K{"5{Up}{Up}{Esc}{Right}", "10"},
        K{"5{Down}{Esc}{Right}", "-5"}, K{"5{Up}{Left}{Esc}{Right}", ""},
        K{"999999999999{Up}{Up}{Esc}{Right}", "1999999999998"}, K{"2*3{Up}{Right}{Enter}", "6"}));

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

}  // namespace
}  // namespace minizol
