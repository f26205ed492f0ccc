#include "checkdigits/bank_account.h"

#include <gtest/gtest.h>

#include "checkdigits/iban.h"

namespace minizol {
namespace {

const char* const kCaixa = "Caja de ah. y pensiones de barcelona";
const char* const kSantander = "Banco santander central hispano";

std::string Joined(const BankFields& fields) {
    return fields.bank + "|" + fields.office + "|" + fields.account;
}

// The control digits and IBAN of typed fields, the country taken from the IBAN box.
TEST(BankAccount, TypedFieldsShowDigitsIbanAndBankName) {
    struct Case {
        BankFields fields;
        const char *ibanField, *control, *iban, *caption;
        const char* wholeIban = "";  // only for a complete account
        bool red = false;            // both boxes
    };
    const BankFields kCaixaFields{"2100", "0418", "0200051332"};
    const Case cases[] = {
        {{"", "", ""}, "FR85", "", "ES00", "Banco: "},
        {kCaixaFields, "ES00", "45", "ES91", kCaixa, "ES9121000418450200051332"},
        {kCaixaFields, "FR00", "45", "FR85", kCaixa, "FR8521000418450200051332"},
        {kCaixaFields, "de00", "45", "DE45", kCaixa, "DE4521000418450200051332"},
        {kCaixaFields, "Ñ", "45", "ES91", kCaixa, "ES9121000418450200051332"},
        {{"2100", "418", "200051332"}, "ES00", "45", "ES91", kCaixa},
        {{"2100", "0813", "0123456789"}, "ES00", "61", "ES79", kCaixa, "ES7921000813610123456789"},
        {{"0049", "1500", "0512345678"},
         "ES00",
         "01",
         "ES70",
         kSantander,
         "ES7000491500010512345678"},
        {{"", "", "1"}, "ES00", "05", "ES36", "Banco: "},
        {{"49", "", ""}, "ES00", "00", "ES21", kSantander},
        {{"9999", "", ""}, "ES00", "10", "ES38", "Banco: "},
        // No account: too many digits, or characters no account has.
        {{"21005", "", ""}, "ES00", "", "ES00", "Banco: ", "", true},
        {{"2100", "0418", "45020005133"}, "FR00", "", "FR00", "Banco: ", "", true},
        {{"AB12", "", ""}, "ES00", "", "ES00", "Banco: ", "", true},
    };
    for (const Case& c : cases) {
        const BankRow row = UpdateBankAccount(c.fields, c.ibanField);
        const std::string fields = Joined(c.fields);
        EXPECT_EQ(row.control, c.control) << fields;
        EXPECT_EQ(row.iban, c.iban) << fields;
        EXPECT_EQ(row.bankCaption, c.caption) << fields;
        EXPECT_EQ(row.wholeIban, c.wholeIban) << fields;
        EXPECT_EQ(row.controlRed, c.red) << fields;
        EXPECT_EQ(row.ibanRed, c.red) << fields;
    }
}

// A number brought whole, as people copy it, and what the row then shows: the fields it fills,
// the computed digits, the caption, and red where the digits it carried are wrong.
TEST(BankAccount, WholeNumbersAreCheckedAsTheyCame) {
    struct Case {
        const char *text, *fields, *control, *iban, *caption;
        bool controlRed = false, ibanRed = false;
    };
    const Case cases[] = {
        {"2100 0418 45 0200051332", "2100|0418|0200051332", "45", "ES91", kCaixa},
        {"2100\t0418\t45\t0200051332\r\n", "2100|0418|0200051332", "45", "ES91", kCaixa},
        {"2100 0418 99 0200051332", "2100|0418|0200051332", "45", "ES91", kCaixa, true},
        {"ES91 2100 0418 4502 0005 1332", "2100|0418|0200051332", "45", "ES91", kCaixa},
        {"IBAN ES91\u00A02100\u00A00418\u00A04502\u00A00005\u00A01332\n", "2100|0418|0200051332",
         "45", "ES91", kCaixa},
        {"ES00 2100 0418 4502 0005 1332", "2100|0418|0200051332", "45", "ES91", kCaixa, false,
         true},
        // Its check digits are right for the account as written: only the control digits are not.
        {"ES41 2100 0418 9902 0005 1332", "2100|0418|0200051332", "45", "ES41", kCaixa, true},
        {"0049 1500 05 1234567892", "0049|1500|1234567892", "05", "ES60", kSantander},
        // Other countries: the Spanish fields stay empty, the label shows the IBAN whole.
        {"DE89 3704 0044 0532 0130 00", "||", "", "DE89", "Alemania: DE89 3704 0044 0532 0130 00"},
        {"DE88 3704 0044 0532 0130 00", "||", "", "DE89", "Alemania: DE88 3704 0044 0532 0130 00",
         false, true},
        {"PT50 0002 0123 1234 5678 9015 4", "||", "", "PT50",
         "Portugal: PT50 0002 0123 1234 5678 9015 4"},
        {"CZ65 0800 0000 1920 0014 5399", "||", "", "CZ65",
         "Chequia: CZ65 0800 0000 1920 0014 5399"},
        {"FR76 3000 6000 0112 3456 7890 189", "||", "", "FR76",
         "Francia: FR76 3000 6000 0112 3456 7890 189"},
        {"GB82 WEST 1234 5698 7654 32", "||", "", "GB82",
         "Reino Unido: GB82 WEST 1234 5698 7654 32"},
        {"NL91 ABNA 0417 1643 00", "||", "", "NL91", "Países Bajos: NL91 ABNA 0417 1643 00"},
        {"IT60 X054 2811 1010 0000 0123 456", "||", "", "IT60",
         "Italia: IT60 X054 2811 1010 0000 0123 456"},
        {"BE68 5390 0754 7034", "||", "", "BE68", "Bélgica: BE68 5390 0754 7034"},
        {"CH93 0076 2011 6238 5295 7", "||", "", "CH93", "Suiza: CH93 0076 2011 6238 5295 7"},
        {"fr00 2100 0418 9902 0005 1332", "||", "", "FR35",
         "Francia: FR00 2100 0418 9902 0005 1332", false, true},
        {"US12 3456 7890 1234", "||", "", "US85", "US12 3456 7890 1234", false, true},
        {"ES91 2100 0418 4502 0005 133", "||", "", "ES98", "España: ES91 2100 0418 4502 0005 133",
         false, true},
    };
    for (const Case& c : cases) {
        const std::optional<WholeAccount> whole = ReadWholeAccount(c.text);
        ASSERT_TRUE(whole.has_value()) << c.text;
        const BankFields fields = whole->fields.value_or(BankFields{});
        const BankRow row = UpdateBankAccount(fields, "ES00", &*whole);
        EXPECT_EQ(Joined(fields), c.fields) << c.text;
        EXPECT_EQ(row.control, c.control) << c.text;
        EXPECT_EQ(row.iban, c.iban) << c.text;
        EXPECT_EQ(row.bankCaption, c.caption) << c.text;
        EXPECT_EQ(row.controlRed, c.controlRed) << c.text;
        EXPECT_EQ(row.ibanRed, c.ibanRed) << c.text;
        const bool red = c.controlRed || c.ibanRed;
        EXPECT_EQ(row.wholeIban.empty(), red) << c.text;
        // Edited, the number is the user's own again: nothing brought is checked any more.
        const BankRow edited = UpdateBankAccount({"2100", "", ""}, "ES00", &*whole);
        EXPECT_FALSE(edited.controlRed || edited.ibanRed) << c.text;
    }
}

// What a field keeps of its text, or the whole account it hands to the row.
TEST(BankAccount, FieldsKeepTheirTextOrHandOnAWholeAccount) {
    struct Case {
        int index;
        const char* text;
        const char* kept;        // when no whole account
        const char* whole = "";  // its fields and control digits, "bank|office|account control"
    };
    const Case cases[] = {
        {0, "2100", "2100"},
        {0, "21 0", "210"},
        {1, " 0418\n", "0418"},
        {0, "21005", "21005"},  // kept whole, to show red
        {0, "ab12", "AB12"},
        {0, "2100041845020005133", "2100041845020005133"},
        {0, "21A0 0418 45 0200051332", "21A0 0418 45 0200051332"},
        {0, "1234 2100 0418 4502 0005 1332", "1234 2100 0418 4502 0005 1332"},
        {2, "45020005133", "45020005133"},
        {2, "450200051332", "", "2100|0418|0200051332 45"},  // control digits typed first
        {1, "0049 1500 05 1234567892", "", "0049|1500|1234567892 05"},
        {2, "ES91 2100 0418 4502 0005 1332", "", "2100|0418|0200051332 45"},
        {2, "DE89 3704 0044 0532 0130 00", "", "|| "},
    };
    for (const Case& c : cases) {
        const AccountFieldEntry entry = ReadAccountField(c.index, c.text, {"2100", "0418", ""});
        if (*c.whole == '\0') {
            EXPECT_FALSE(entry.whole.has_value()) << c.text;
            EXPECT_EQ(entry.text, c.kept) << c.text;
        } else {
            ASSERT_TRUE(entry.whole.has_value()) << c.text;
            EXPECT_EQ(
                Joined(entry.whole->fields.value_or(BankFields{})) + " " + entry.whole->control,
                c.whole)
                << c.text;
        }
    }
    EXPECT_TRUE(AccountFieldComplete(0, "2100"));
    EXPECT_FALSE(AccountFieldComplete(1, "041"));
    EXPECT_FALSE(AccountFieldComplete(2, "0418"));
    EXPECT_EQ(AccountTypingLimit(1), 4u);
    EXPECT_EQ(AccountTypingLimit(2), 12u);
}

TEST(BankAccount, CountryAnswersAndDigitHelpers) {
    const std::pair<const char*, const char*> answers[] = {
        {"fr", "FR"}, {"DE", "DE"}, {"ESP", "ES"}, {"E", "ES"}, {"F1", "ES"}, {"Ñ", "ES"},
        {"ñ", "ES"},  {"", "ES"},   {" f", "ES"},  {"ß", "ES"}, {"ıt", "ES"},
    };
    for (const auto& [answer, code] : answers) {
        EXPECT_EQ(ValidCountryCode(answer), code) << answer;
    }
    EXPECT_EQ(CountryOfIbanField("FR85"), "FR");
    EXPECT_EQ(DigitsOnly("a1ñ2-3\x7f"), "123");
    EXPECT_EQ(DigitValue("7"), 7);
    EXPECT_EQ(DigitValue(","), 0);
    EXPECT_EQ(DigitValue("ñ"), 0);
}

TEST(BankAccount, HugePastesStayLinear) {
    const std::string paste(1 << 20, '9');
    EXPECT_EQ(ReadAccountField(0, paste, {}).text.size(), paste.size());
    EXPECT_FALSE(ReadWholeAccount(std::string(1 << 20, '-') + "2100").has_value());
    EXPECT_TRUE(UpdateBankAccount({paste, paste, paste}, "ES00").controlRed);
}

}  // namespace
}  // namespace minizol
