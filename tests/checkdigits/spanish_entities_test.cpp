#include "checkdigits/spanish_entities.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "checkdigits/bic.h"

namespace minizol {
namespace {

const std::string kHeader = "codigo\tbic\tnombre\n";

// The whole list is read: a line dropped or misread would leave a bank without its name.
TEST(SpanishEntities, TheBuiltInListLoadsWhole) {
    const auto entities = SpanishEntities();
    ASSERT_EQ(entities.size(), 138u);
    int previous = -1;
    for (const SpanishEntity& entity : entities) {
        EXPECT_GT(entity.code, previous) << "codes unique and in order";
        EXPECT_LE(entity.code, 9999);
        previous = entity.code;
        const BicCheck bic = ReadBic(entity.bic);
        EXPECT_TRUE(bic.form) << entity.bic;
        EXPECT_EQ(bic.country, "ES") << entity.bic;
        EXPECT_FALSE(entity.registeredName.empty()) << entity.code;
        EXPECT_EQ(FindSpanishEntity(entity.code), &entity);
        // No legal form or branch is left in a readable name, nor a separator at its end.
        EXPECT_FALSE(entity.name.empty()) << entity.registeredName;
        for (std::string_view leftover : {"S.A.", "N.V.", "Sucursal", "Sociedad", "Coop.",
                                          "Cooperativa", "Ntra.", " '", "' "}) {
            EXPECT_EQ(entity.name.find(leftover), std::string_view::npos)
                << entity.name << " has " << leftover;
        }
        EXPECT_EQ(std::string_view(" ,-'").find(entity.name.back()), std::string_view::npos)
            << entity.name;
    }
}

TEST(SpanishEntities, TodaysBanksAreNamed) {
    struct Case {
        int code;
        const char *bic, *name;
    };
    const Case cases[] = {
        {3, "BDEPESM1", "Banco de Depósitos"},  // the first line
        {61, "BMARES2M", "Banca March"},
        {73, "OPENESMM", "Openbank"},
        {186, "BFIVESBB", "Banco Mediolanum"},
        {239, "EVOBESMMXXX", "EVO Banco"},
        {1465, "INGDESMM", "ING Bank"},
        {1491, "TRIOES21", "Triodos Bank"},
        {2080, "CAGLESMMVIG", "Abanca"},
        {2085, "CAZRES2Z", "Ibercaja"},
        {2103, "UCJAES2M", "Unicaja"},
        {3058, "CCRIES2A", "Cajamar"},
        {3191, "BCOEESMM191", "Caja Rural de Aragón"},  // the last
    };
    for (const Case& c : cases) {
        const SpanishEntity* entity = FindSpanishEntity(c.code);
        ASSERT_NE(entity, nullptr) << c.code;
        EXPECT_EQ(entity->code, c.code);
        EXPECT_EQ(entity->bic, c.bic) << c.code;
        EXPECT_EQ(entity->name, c.name) << c.code;
    }
    // Merged away, or never given out.
    for (int code : {0, 30, 2038, 9999, -1, 10000, 30030}) {
        EXPECT_EQ(FindSpanishEntity(code), nullptr) << code;
    }
}

TEST(SpanishEntities, ReadsTextInTheListsForm) {
    const std::string text = kHeader + "0003\tBDEPESM1\tBanco de Depósitos, S.A.\n" +
                             "0049\tBSCHESMMXXX\tBanco Santander, S.A.";
    const SpanishEntityTable table(text);
    ASSERT_EQ(table.Entities().size(), 2u);
    const SpanishEntity* santander = table.Find(49);
    ASSERT_NE(santander, nullptr);
    EXPECT_EQ(santander->bic, "BSCHESMMXXX");
    EXPECT_EQ(santander->registeredName, "Banco Santander, S.A.");
    EXPECT_EQ(santander->name, "Banco Santander");
    EXPECT_EQ(table.Find(3), &table.Entities()[0]);
    EXPECT_EQ(table.Find(4), nullptr);
    EXPECT_TRUE(SpanishEntityTable("codigo\tbic\tnombre").Entities().empty());
}

TEST(SpanishEntities, RefusesLinesThatAreNoEntity) {
    const char* const lines[] = {
        "081\tBSABESB1\tBanco",          // three digits
        "00081\tBSABESB1\tBanco",        // five
        "0O81\tBSABESB1\tBanco",         // a letter
        "\tBSABESB1\tBanco",             // none
        "0081\tBSABESB\tBanco",          // a BIC of 7
        "0081\tbdepesm1\tBanco",         // not compact
        "0081\tBSABESB1XX\tBanco",       // a BIC of 10
        "0081\tBSABESB1\t",              // no name
        "0081\tBSABESB1",                // two columns
        "0081 BSABESB1 Banco",           // blanks for tabs
        "0081\tBSABESB1\tBanco\textra",  // four
        "0081\tBSABESB1\tBanco \xC3",    // a name cut inside a character
        "",                              // an empty line
        "0049\tBSCHESMM\tOtro",          // the code again
        "0011\tALLFESMM\tAnterior",      // out of order
    };
    // After a good line, and with codes that follow its own, so that only what is wrong is.
    const std::string first = "0049\tBSCHESMM\tBanco Santander, S.A.\n";
    EXPECT_NO_THROW(SpanishEntityTable{kHeader + first + "0081\tBSABESB1\tBanco\n"});
    for (const char* line : lines) {
        EXPECT_THROW(SpanishEntityTable{kHeader + first + line + "\n"}, std::invalid_argument)
            << line;
    }
    EXPECT_THROW(SpanishEntityTable{first}, std::invalid_argument) << "no header";
    EXPECT_THROW(SpanishEntityTable{""}, std::invalid_argument);
}

}  // namespace
}  // namespace minizol
