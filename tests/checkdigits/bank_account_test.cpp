#include "checkdigits/bank_account.h"

#include <gtest/gtest.h>

#include "checkdigits/iban.h"

namespace minizol {
namespace {

// The control digits and IBAN of real accounts, the country taken from the IBAN box unless a
// paste the fields still hold brings its own.
TEST(BankAccount, RowShowsDigitsIbanAndBankName) {
    // `paste`: the fields came from it; the pasted digits that differ turn their box red.
    struct Case {
        BankFields fields;
        const char *ibanField, *control, *iban, *caption;
        const char* paste = nullptr;
        bool controlRed = false, ibanRed = false;
    };
    const char* kCaixa = "Caja de ah. y pensiones de barcelona";
    const char* kSantander = "Banco santander central hispano";
    const BankFields kCaixaFields{"2100", "0418", "0200051332"};
    const Case cases[] = {
        {{"", "", ""}, "FR85", "", "ES00", "Banco: "},
        {kCaixaFields, "FR00", "45", "FR85", kCaixa},
        {kCaixaFields, "de00", "45", "DE45", kCaixa},
        {kCaixaFields, "Ñ", "45", "ES91", kCaixa},
        {{"2100", "418", "200051332"}, "ES00", "45", "ES91", kCaixa},
        {{"2100", "0813", "0123456789"}, "ES00", "61", "ES79", kCaixa},
        {{"2100", "0418", "1234567891"}, "ES00", "40", "ES66", kCaixa},
        {{"0049", "1500", "0512345678"}, "ES00", "01", "ES70", kSantander},
        {{"", "", "1"}, "ES00", "05", "ES36", "Banco: "},
        {{"49", "", ""}, "ES00", "00", "ES21", kSantander},
        {{"9999", "", ""}, "ES00", "10", "ES38", "Banco: "},
        {kCaixaFields, "ES00", "45", "ES91", kCaixa, "ES91 2100 0418 4502 0005 1332"},
        {kCaixaFields, "DE00", "45", "ES91", kCaixa, "ES00 2100 0418 4502 0005 1332", false, true},
        {kCaixaFields, "ES00", "45", "ES91", kCaixa, "2100 0418 99 0200051332", true},
        {kCaixaFields, "ES00", "45", "FR85", kCaixa, "fr76 2100 0418 4502 0005 1332", false, true},
        {kCaixaFields, "DE00", "45", "DE45", kCaixa, "1234 2100 0418 4502 0005 1332", false, true},
        {{"2100", "0418", "0200051333"}, "ES00", "41", "ES21", kCaixa, "2100 0418 99 0200051332"},
    };
    for (const Case& c : cases) {
        const std::optional<BankFieldSplit> paste =
            c.paste ? std::optional(SplitBankFieldText(c.paste)) : std::nullopt;
        const BankRow row = UpdateBankAccount(c.fields, c.ibanField, paste ? &*paste : nullptr);
        EXPECT_EQ(row.controlRed, c.controlRed) << c.paste;
        EXPECT_EQ(row.ibanRed, c.ibanRed) << c.paste;
        EXPECT_EQ(row.control, c.control) << c.fields.bank;
        EXPECT_EQ(row.iban, c.iban) << c.fields.bank;
        EXPECT_EQ(row.bankCaption, c.caption) << c.fields.bank;
    }
}

TEST(BankAccount, PastesAreSplitOverTheFields) {
    struct Case {
        const char *text, *bank;
        std::optional<std::string> office, account;
    };
    const Case cases[] = {
        {"2100 0418.45-0200/051_332", "2100", "0418", "0200051332"},
        {"21000418450200051332", "2100", "0418", "0200051332"},
        {"ES91 2100 0418 4502 0005 1332", "2100", "0418", "0200051332"},
        {"ñ100 0418 45 0200051332", "100", "0418", "0200051332"},
        {"2100ABCD450200051332", "2100", "", "0200051332"},
        {"21005", "2100", std::nullopt, std::nullopt},
        {"ab12345", "12", std::nullopt, std::nullopt},
        {"21 0", "210", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const BankFieldSplit split = SplitBankFieldText(c.text);
        EXPECT_EQ(split.bank, c.bank) << c.text;
        EXPECT_EQ(split.office, c.office) << c.text;
        EXPECT_EQ(split.account, c.account) << c.text;
    }
    EXPECT_TRUE(AccountFieldComplete(0, "2100"));
    EXPECT_TRUE(AccountFieldComplete(1, "0418"));
    EXPECT_FALSE(AccountFieldComplete(1, "041"));
    EXPECT_FALSE(AccountFieldComplete(2, "0418"));
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
    EXPECT_EQ(SplitBankFieldText(paste).bank, "9999");
    EXPECT_EQ(SplitBankFieldText(std::string(1 << 20, '-') + "2100").bank, "2100");
    EXPECT_EQ(UpdateBankAccount({paste, paste, paste}, "ES00").control,
              CalculateAccountDigits("9999", "9999", "9999999999", "ES").control);
}

}  // namespace
}  // namespace minizol
