#include "checkdigits/number_check.h"

#include <gtest/gtest.h>

#include "checkdigits/bank_account.h"
#include "checkdigits/identity.h"
#include "checkdigits/isbn.h"
#include "checkdigits/number_labels.h"
#include "checkdigits/pasted_text.h"

namespace minizol {
namespace {

using enum Verdict;

const char* const kCaixa = "Caja de ah. y pensiones de barcelona";
const char* const kSantander = "Banco santander central hispano";

struct Case {
    const char* text;
    const char* kind;
    Verdict verdict;
    const char* control = "";
    const char* form = "";
    const char* bank = "";
    KindFilter filter = KindFilter::Any;
};

// Published numbers, right and wrong, written as people bring them.
const Case kCases[] = {
    {"12345678Z", "DNI", Correct, "Z", "12345678Z"},
    {"12345678J", "DNI", Wrong, "Z", "12345678J"},
    {"1234567", "DNI", Incomplete, "L", "01234567L"},
    {"DNI 12345678", "DNI", Incomplete, "Z", "12345678Z"},
    {"X1234567L", "NIE", Correct, "L", "X1234567L"},
    {"y1234567", "NIE", Incomplete, "X", "Y1234567X"},
    {"Z1234567A", "NIE", Wrong, "R", "Z1234567A"},
    {"K1234567", "NIF", Incomplete, "L", "K1234567L"},
    {"A58818501", "CIF", Correct, "1", "A58818501"},
    {"A-5881850-A", "CIF", Wrong, "1", "A5881850A"},  // a company of letter A ends in a digit
    {"A58818502", "CIF", Wrong, "1", "A58818502"},
    {"NIF: B1234567", "CIF", Incomplete, "4", "B12345674"},
    {"C1234567D", "CIF", Correct, "D 4", "C1234567D"},
    {"C12345674", "CIF", Correct, "D 4", "C12345674"},
    {"P1234567", "CIF", Incomplete, "D", "P1234567D"},
    {"Q2826000H", "CIF", Correct, "H", "Q2826000H"},
    {"2100 0418 45 0200051332", "CCC", Correct, "45", "2100 0418 45 0200051332", kCaixa},
    {"2100 0418 99 0200051332", "CCC", Wrong, "45", "2100 0418 99 0200051332", kCaixa},
    {"0049-1500-05-1234567892", "CCC", Correct, "05", "0049 1500 05 1234567892", kSantander},
    {"9999 0000 00 0000000000", "CCC", Wrong, "10", "9999 0000 00 0000000000"},
    {"ES91 2100 0418 4502 0005 1332", "IBAN", Correct, "91 45", "ES91 2100 0418 4502 0005 1332",
     kCaixa},
    {"ES00 2100 0418 4502 0005 1332", "IBAN", Wrong, "91 45", "ES00 2100 0418 4502 0005 1332",
     kCaixa},
    {"ES41 2100 0418 9902 0005 1332", "IBAN", Wrong, "41 45", "ES41 2100 0418 9902 0005 1332",
     kCaixa},
    {"ES91 2100 0418 4502 0005 133", "IBAN", Wrong, "98", "ES91 2100 0418 4502 0005 133"},
    {"de89 3704 0044 0532 0130 00", "IBAN", Correct, "89", "DE89 3704 0044 0532 0130 00"},
    {"GB82 WEST 1234 5698 7654 32", "IBAN", Correct, "82", "GB82 WEST 1234 5698 7654 32"},
    {"US12 3456 7890 1234", "IBAN", Wrong, "85", "US12 3456 7890 1234"},
    {"-N-O-9-3-8-6-0", "IBAN", Wrong, "73", "NO93 860"},
    {"0-306-40615-2", "ISBN-10", Correct, "2", "0306406152"},
    {"0-8044-2957-x", "ISBN-10", Correct, "X", "080442957X"},
    {"ISBN-10: 0-8044-2957-5", "ISBN-10", Wrong, "X", "0804429575"},
    {"0-306-40615", "ISBN-10", Incomplete, "2", "0306406152"},
    {"978-0-306-40615-7", "ISBN-13", Correct, "7", "9780306406157"},
    {"ISBN-13: 978-0-306-40615-8", "ISBN-13", Wrong, "7", "9780306406158"},
    {"ISBN 979-10-90636-07-1", "ISBN-13", Correct, "1", "9791090636071"},
    {"978 3 16 148410", "ISBN-13", Incomplete, "0", "9783161484100"},
    {"123456789", "ISBN-10", Incomplete, "X", "123456789X"},
    // Nothing of any kind: a digit too many or too few, a letter among digits, two numbers.
    {"2100041845020005133", "", Unknown},
    {"21A0 0418 45 0200051332", "", Unknown},
    {"ABCDEFGHIJKLMNOPQRST", "", Unknown},
    {"9780306406157 9780306406157", "", Unknown},
    {"977-0-306-40615-7", "", Unknown},
    {"ISBN 12345678Z", "", Unknown},
    {"I1234567", "", Unknown},
    {"\xff\xfe", "", Unknown},
    // A kind asked for: other kinds are unknown, and a number of its family keeps its own kind.
    {"12345678", "", Unknown, "", "", "", KindFilter::Isbn},
    {"123456789", "", Unknown, "", "", "", KindFilter::Dni},
    {"A58818501", "CIF", Correct, "1", "A58818501", "", KindFilter::Nif},
    {"X1234567L", "NIE", Correct, "L", "X1234567L", "", KindFilter::Nif},
    {"X1234567L", "", Unknown, "", "", "", KindFilter::Dni},
    {"ES91 2100 0418 4502 0005 1332", "", Unknown, "", "", "", KindFilter::Ccc},
    {"21000418450200051332", "", Unknown, "", "", "", KindFilter::Iban},
};

TEST(NumberCheck, RecognisesAndChecksEveryKind) {
    for (const Case& c : kCases) {
        const NumberCheck check = CheckNumber(c.text, c.filter);
        EXPECT_FALSE(check.blank) << c.text;
        EXPECT_EQ(KindName(check.kind), c.kind) << c.text;
        EXPECT_EQ(VerdictName(check.verdict), VerdictName(c.verdict)) << c.text;
        EXPECT_EQ(check.control, c.control) << c.text;
        EXPECT_EQ(check.form, c.form) << c.text;
        EXPECT_EQ(check.bank, c.bank) << c.text;
    }
    for (const char* blank : {"", " \t\r\n", "\u00A0\u2009"}) {
        EXPECT_TRUE(CheckNumber(blank).blank);
    }
    EXPECT_EQ(KindFilterNamed("Iban"), KindFilter::Iban);
    EXPECT_EQ(KindFilterNamed("isbn10"), std::nullopt);
}

// Numbers as invoices, letters and web pages print them: the label, the VAT prefix and a BIC go,
// and the number is checked as it would be alone. Nothing else is guessed.
TEST(NumberCheck, ReadsNumbersAsTheyArePrinted) {
    const std::pair<const char*, const char*> printed[] = {
        {"C.I.F.: B-12345674", "B12345674"},
        {"C.I.F. B12345674", "B12345674"},
        {"N.I.F.: B12345674", "B12345674"},
        {"NIF-IVA: ESB12345674", "B12345674"},
        {"NIF IVA ES B12345674", "B12345674"},
        {"ESB12345674", "B12345674"},
        {"ES12345678Z", "12345678Z"},
        {"es-12345678-z", "12345678Z"},
        {"D.N.I. 12.345.678-Z", "12345678Z"},
        {"DNI nº 12345678Z", "12345678Z"},
        {"N.I.E.: X-1234567-L", "X1234567L"},
        {"NIF12345678Z", "12345678Z"},
        {"CCC 2100 0418 45 0200051332", "2100 0418 45 0200051332"},
        {"Cuenta: 2100-0418-45-0200051332", "2100 0418 45 0200051332"},
        {"Cuenta nº 2100 0418 45 0200051332", "2100 0418 45 0200051332"},
        {"Nº de cuenta: ES91 2100 0418 4502 0005 1332", "ES91 2100 0418 4502 0005 1332"},
        {"N.º de cuenta ES91 2100 0418 4502 0005 1332", "ES91 2100 0418 4502 0005 1332"},
        {"Número de cuenta: DE89 3704 0044 0532 0130 00", "DE89 3704 0044 0532 0130 00"},
        {"Cuenta DE89 3704 0044 0532 0130 00", "DE89 3704 0044 0532 0130 00"},
        {"IBAN ES91 2100 0418 4502 0005 1332 BIC CAIXESBBXXX", "ES91 2100 0418 4502 0005 1332"},
        {"IBAN: ES91 2100 0418 4502 0005 1332 - BIC: CAIXESBB", "ES91 2100 0418 4502 0005 1332"},
        {"ES91 2100 0418 4502 0005 1332 (SWIFT/BIC CAIXESBBXXX)", "ES91 2100 0418 4502 0005 1332"},
    };
    for (const auto& [text, form] : printed) {
        const NumberCheck check = CheckNumber(text);
        EXPECT_EQ(check.verdict, Correct) << text << ": " << check.reason;
        EXPECT_EQ(check.form, form) << text;
    }
    // Labels and prefixes that are not there: a text of more than one number, a sentence, a
    // label that names another kind, a prefix before what is no NIF.
    for (const char* text :
         {"Nº 12345678Z", "DNI 12345678Z y 87654321X", "IBAN B12345674", "CIF ES91 2100",
          "ESB1234567", "IBAN ES91 2100 0418 4502 0005 1332 BIC CAIXESBBXXX gracias",
          "cuentas 2100 0418 45 0200051332"}) {
        EXPECT_EQ(CheckNumber(text).verdict, Unknown) << text;
    }
    EXPECT_EQ(CheckNumber("ES12345678J").verdict, Wrong);           // a NIF, read as one, and wrong
    EXPECT_EQ(CheckNumber("ES 900051077").kind, NumberKind::Iban);  // no letter: no NIF
    EXPECT_EQ(CheckNumber("ES80 4429 57X").kind, NumberKind::Iban);  // grouped as an IBAN
    EXPECT_EQ(CheckNumber("Cuenta DE88 3704 0044 0532 0130 00").verdict, Wrong);
}

// A complete company number ends in the form its organisation letter takes; 1234567 calls for D
// or 4.
TEST(NumberCheck, CompanyNumbersEndAsTheirLetterSays) {
    const struct {
        const char* letters;
        Verdict withLetter, withDigit;
    } groups[] = {
        {"ABEH", Wrong, Correct},
        {"CDFGJUV", Correct, Correct},
        {"NPQRSW", Correct, Wrong},
    };
    for (const auto& group : groups) {
        for (const char* letter = group.letters; *letter != '\0'; ++letter) {
            const std::string number = *letter + std::string("1234567");
            EXPECT_EQ(CheckNumber(number + "D").verdict, group.withLetter) << number;
            EXPECT_EQ(CheckNumber(number + "4").verdict, group.withDigit) << number;
            EXPECT_EQ(CheckNumber(number).verdict, Incomplete) << number;
        }
    }
}

// A wrong number says what was written and what it should be, in a few words.
TEST(NumberCheck, SaysWhyANumberIsWrong) {
    const std::pair<const char*, const char*> wrong[] = {
        {"ES91 2100 0418 4502 0005 1333",
         "IBAN: pone 91; corresponde 64 · control: pone 45; "
         "corresponde 41"},
        {"ES00 2100 0418 4502 0005 1332", "IBAN: pone 00; corresponde 91"},
        {"2100 0418 99 0200051332", "control: pone 99; corresponde 45"},
        {"DE88 3704 0044 0532 0130 00", "IBAN: pone 88; corresponde 89"},
        {"US12 3456 7890 1234", "US no es un país con IBAN · IBAN: pone 12; corresponde 85"},
        {"DE8937040044053201300",
         "un IBAN de Alemania tiene 22 caracteres, no 21 · IBAN: pone 89; "
         "corresponde 51"},
        {"12345678J", "la letra no corresponde; corresponde la Z"},
        {"X1234567A", "la letra no corresponde; corresponde la L"},
        {"B1234567D", "tras la B va una cifra; corresponde el 4"},
        {"A58818502", "la cifra de control no corresponde; corresponde el 1"},
        {"Q28260008", "tras la Q va una letra; corresponde la H"},
        {"P12345674", "tras la P va una letra; corresponde la D"},
        {"P1234567A", "la letra de control no corresponde; corresponde la D"},
        {"C1234567A", "el carácter de control no corresponde; corresponde la D o el 4"},
        {"ISBN-13: 978-0-306-40615-8", "la cifra de control no corresponde; corresponde el 7"},
        {"0-8044-2957-5", "la cifra de control no corresponde; corresponde la X"},
        {"IBAN ES91 2100 0418 4502 0005 1332 BIC CAIXESB", "el BIC CAIXESB no tiene forma de BIC"},
        {"DE89 3704 0044 0532 0130 00 BIC: CAIXESBBXXX", "el BIC es de otro país: ES"},
        {"ES91 2100 0418 4502 0005 1332 BIC BBVAESMM",
         "el BIC no es el de la entidad; corresponde CAIXESBB"},
        {"ES28 2100 0A18 4502 0005 1332", "pone A en la posición 10; corresponde una cifra"},
        {"BG93 BNBG 9661 1A20 3456 78", "pone A en la posición 14; corresponde una cifra"},
    };
    for (const auto& [text, reason] : wrong) {
        const NumberCheck check = CheckNumber(text);
        EXPECT_EQ(check.verdict, Wrong) << text;
        EXPECT_EQ(check.reason, reason) << text;
    }
    for (const char* text : {"12345678Z", "1234567", "ES91 2100 0418 4502 0005 1332", "hola"}) {
        EXPECT_EQ(CheckNumber(text).reason, "") << text;
    }
    // A reused check keeps no reason of the number before.
    NumberCheck check;
    CheckNumber("12345678J", KindFilter::Any, check);
    CheckNumber("12345678Z", KindFilter::Any, check);
    EXPECT_TRUE(check.Faults().empty());
    EXPECT_EQ(check.reason, "");
}

// Every number of the window's own cases, as pasted into the row it belongs to, is right there
// exactly when it is right here.
TEST(NumberCheck, AgreesWithTheWindowsRows) {
    const char* const accounts[] = {
        "DE89 3704 0044 0532 0130 00",
        "PT50 0002 0123 1234 5678 9015 4",
        "DE88 3704 0044 0532 0130 00",
        "GB82 WEST 1234 5698 7654 32",
        "2100 0418 45 0200051332\n",
        "ES91 2100 0418 4502 0005 1332\r\n",
        "0049 1500 05 1234567892",
        "21000418450200051332",
        "ES41 2100 0418 9902 0005 1332",
        "FR00 2100 0418 9902 0005 1332",
        "ES12 2100 0418 45",
    };
    for (const char* text : accounts) {
        const std::optional<WholeAccount> whole = ReadWholeAccount(TidyPastedText(text));
        ASSERT_TRUE(whole.has_value()) << text;
        const BankRow row =
            UpdateBankAccount(whole->fields.value_or(BankFields{}), "ES00", &*whole);
        EXPECT_EQ(CheckNumber(text).verdict, row.controlRed || row.ibanRed ? Wrong : Correct)
            << text;
    }
    for (const char* text : {"12345678Z\n", "12345678 z", "12345678/Z", "NIF 12345678J"}) {
        const bool red =
            DisplayIdentityField(IdentityFieldText(ReadLabelledNumber(TidyPastedText(text)).number))
                .red;
        EXPECT_EQ(CheckNumber(text).verdict, red ? Wrong : Correct) << text;
    }
    for (const char* text :
         {"ISBN-13: 978-0-306-40615-8", "ISBN-10: 0-8044-2957-5", "ISBN 979-10-90636-07-1"}) {
        const bool red = IsbnCheckDigit(WithoutIsbnLabel(TidyPastedText(text))).red;
        EXPECT_EQ(CheckNumber(text).verdict, red ? Wrong : Correct) << text;
    }
}

}  // namespace
}  // namespace minizol
