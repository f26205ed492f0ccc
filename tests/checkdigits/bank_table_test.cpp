#include "checkdigits/bank_table.h"

#include <gtest/gtest.h>

namespace minizol {
namespace {

// The window's own names stay for the codes they cover; the credit institutions name the rest.
TEST(BankTable, NamesAndBicsOfBankCodes) {
    struct Case {
        int code;
        const char* name;  // empty: no name
        const char* bic;   // empty: no BIC
    };
    const Case cases[] = {
        {2100, "Caja de ah. y pensiones de barcelona", "CAIXESBB"},
        {182, "Banco bilbao vizcaya  argentaria", "BBVAESMM"},
        {3035, "Caja laboral popular", "CLPEES2M"},
        {30, "Banco español de credito", ""},  // merged away: the window's name alone
        {1465, "ING Bank", "INGDESMM"},
        {73, "Openbank", "OPENESMM"},
        {3, "Banco de Depósitos", "BDEPESM1"},
        {3191, "Caja Rural de Aragón", "BCOEESMM191"},
        {0, "", ""},
        {9999, "", ""},
        {-1, "", ""},
        {10000, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BankName(c.code).value_or(""), c.name) << c.code;
        EXPECT_EQ(BankBic(c.code).value_or(""), c.bic) << c.code;
    }
}

TEST(BankTable, CaptionNamesTheBankTheFieldStartsWith) {
    struct Case {
        const char *field, *caption;
    };
    const Case cases[] = {
        {"  49", "Banco santander central hispano"},
        {"1465", "ING Bank"},
        {"0073", "Openbank"},
        {"3058 ", "Cajamar"},
        {"9999", "Banco: "},
        {"14650", "Banco: "},  // five digits name no bank
        {"x1465", "Banco: "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BankCaption(c.field), c.caption) << c.field;
    }
}

}  // namespace
}  // namespace minizol
