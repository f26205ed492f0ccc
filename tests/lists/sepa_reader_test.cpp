#include "lists/sepa_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "support/heap_usage.h"
#include "support/memory_source.h"

namespace minizol {
namespace {

constexpr char kTransfers[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<Document xmlns="urn:iso:std:iso:20022:tech:xsd:pain.001.001.03" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
  <CstmrCdtTrfInitn>
    <GrpHdr><MsgId>REM-0001</MsgId><NbOfTxs>2</NbOfTxs>
      <InitgPty><Nm>Talleres Ejemplo SL</Nm></InitgPty>
    </GrpHdr>
    <PmtInf><PmtInfId>P1</PmtInfId><PmtMtd>TRF</PmtMtd>
      <Dbtr><Nm>Talleres Ejemplo SL</Nm></Dbtr>
      <DbtrAcct><Id><IBAN>ES9121000418450200051332</IBAN></Id><Ccy>EUR</Ccy></DbtrAcct>
      <DbtrAgt><FinInstnId><BIC>CAIXESBBXXX</BIC></FinInstnId></DbtrAgt>
      <CdtTrfTxInf><Amt><InstdAmt Ccy="EUR">120.50</InstdAmt></Amt>
        <Cdtr><Nm>José Núñez &amp; Hijos</Nm></Cdtr>
        <CdtrAcct>
          <Id>
            <IBAN>ES79 2100 0813 6101 2345 6789</IBAN>
          </Id>
        </CdtrAcct>
      </CdtTrfTxInf>
      <CdtTrfTxInf><Amt><InstdAmt Ccy="EUR">8.00</InstdAmt></Amt>
        <Cdtr><PstlAdr><Ctry>ES</Ctry></PstlAdr></Cdtr>
        <CdtrAcct><Id><IBAN>ES1000492352082414205416</IBAN></Id></CdtrAcct>
        <UltmtCdtr><Nm>Sin cuenta</Nm></UltmtCdtr>
      </CdtTrfTxInf>
    </PmtInf>
  </CstmrCdtTrfInitn>
</Document>
)";

// Latin-1 (octal escapes: ñ, í), a bank's account named through its FinInstnId, and a debtor named
// after its account.
constexpr char kDebits[] =
    "<?xml version='1.0' encoding='ISO-8859-1'?>\n"
    "<Document xmlns='urn:iso:std:iso:20022:tech:xsd:pain.008.001.02'><CstmrDrctDbtInitn>\n"
    "<GrpHdr><InitgPty><Nm>Club</Nm></InitgPty></GrpHdr><PmtInf>\n"
    "<Cdtr><Nm>Club Deportivo Pe\361as</Nm></Cdtr>\n"
    "<CdtrAcct><Id><IBAN>ES6000491500051234567892</IBAN></Id></CdtrAcct>\n"
    "<CdtrAgt><FinInstnId><BIC>BSCHESMMXXX</BIC><Nm>Banco</Nm></FinInstnId></CdtrAgt>\n"
    "<CdtrAgtAcct><Id><IBAN>ES0700120345030000067890</IBAN></Id></CdtrAgtAcct>\n"
    "<DrctDbtTxInf><Dbtr><Nm>Ana Garc\355a</Nm></Dbtr>\n"
    "<DbtrAcct><Id><IBAN>ES1720852066623456789011</IBAN></Id></DbtrAcct></DrctDbtTxInf>\n"
    "<DrctDbtTxInf><DbtrAcct><Id><IBAN>ES4420805801101234567891</IBAN></Id></DbtrAcct>\n"
    "<Dbtr><Nm>Luis</Nm></Dbtr></DrctDbtTxInf></PmtInf></CstmrDrctDbtInitn></Document>";

constexpr char kPrefixed[] =
    "<ns2:Document xmlns='urn:iso:std:iso:20022:tech:xsd:camt.053.001.02'\n"
    " xmlns:ns2='urn:iso:std:iso:20022:tech:xsd:pain.001.001.09'><ns2:CstmrCdtTrfInitn>\n"
    "<ns2:PmtInf><ns2:Dbtr><ns2:Nm>Ana</ns2:Nm></ns2:Dbtr><ns2:DbtrAcct><ns2:Id>\n"
    "<ns2:IBAN>ES9121000418450200051332</ns2:IBAN></ns2:Id></ns2:DbtrAcct></ns2:PmtInf>\n"
    "</ns2:CstmrCdtTrfInitn></ns2:Document>";

// ASCII text as UTF-16 (little-endian) with its byte order mark.
std::string Utf16(std::string_view ascii) {
    std::string wide = "\xFF\xFE";
    for (const char c : ascii) {
        wide += {c, '\0'};
    }
    return wide;
}

struct Read {
    std::vector<std::string> accounts;  // "line party|holder|iban"
    std::string message;
    std::string error;
};

Read ReadAll(std::string_view document, std::size_t chunk, bool failing = false) {
    MemorySource source(document, chunk, failing);
    SepaReader reader(source);
    Read read;
    for (SepaAccount account; reader.Next(account);) {
        read.accounts.push_back(std::to_string(account.line) + " " + account.party + "|" +
                                account.holder + "|" + account.iban);
    }
    read.message = reader.message();
    read.error = reader.error();
    return read;
}

TEST(SepaReader, ReadsAccountsWithTheirPartiesWhateverTheChunks) {
    struct Case {
        std::string document;
        bool failing;
        std::vector<std::string> accounts;
        std::string message;
        std::string error;
    };
    const std::string ahead = "<Document xmlns='urn:iso:std:iso:20022:tech:xsd:pain.001.001.03'>";
    const std::string account = "<DbtrAcct><Id><IBAN>ES91</IBAN></Id></DbtrAcct>";
    // A name past 1,024 bytes is cut at a character's edge, and nothing after the cut is kept,
    // however Expat splits the text: "X" would fit in the byte the "ñ" left free.
    std::string name;
    for (int i = 0; i < 511; ++i) {
        name += "ñ";
    }
    name += "a";
    const std::string longName = ahead + "<CstmrCdtTrfInitn><PmtInf><Dbtr><Nm>" + name +
                                 "ñX</Nm></Dbtr>" + account +
                                 "</PmtInf></CstmrCdtTrfInitn></Document>";
    const Case cases[] = {
        {longName, false, {"1 ordenante|" + name + "|ES91"}, "pain.001.001.03", ""},
        {kTransfers,
         false,
         {"9 ordenante|Talleres Ejemplo SL|ES9121000418450200051332",
          "15 beneficiario|José Núñez & Hijos|ES79 2100 0813 6101 2345 6789",
          "21 beneficiario||ES1000492352082414205416"},
         "pain.001.001.03",
         ""},
        {kDebits,
         false,
         {"5 acreedor|Club Deportivo Peñas|ES6000491500051234567892",
          "7 entidad del acreedor|Banco|ES0700120345030000067890",
          "9 deudor|Ana García|ES1720852066623456789011", "10 deudor||ES4420805801101234567891"},
         "pain.008.001.02",
         ""},
        {kPrefixed, false, {"4 ordenante|Ana|ES9121000418450200051332"}, "pain.001.001.09", ""},
        {Utf16(kPrefixed),
         false,
         {"4 ordenante|Ana|ES9121000418450200051332"},
         "pain.001.001.09",
         ""},
        // What comes before an error is read.
        {ahead + account + "\n<PmtInf></Dbtr>",
         false,
         {"1 ordenante||ES91"},
         "pain.001.001.03",
         "XML mal formado en la línea 2: mismatched tag"},
        {ahead + account,
         true,
         {"1 ordenante||ES91"},
         "pain.001.001.03",
         "no se pudo seguir leyendo el archivo: " + std::string(std::strerror(EIO))},
        {"", false, {}, "", "XML mal formado en la línea 1: no element found"},
        {"<Document xmlns='urn:iso:std:iso:20022:tech:xsd:camt.053.001.02'>" + account,
         false,
         {},
         "",
         "no es una remesa SEPA: su raíz no es un Document de pain.001 ni pain.008"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document.substr(0, 120));
        for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, c.document.size()}) {
            SCOPED_TRACE(chunk);
            const Read read = ReadAll(c.document, chunk, c.failing);
            EXPECT_EQ(read.accounts, c.accounts);
            EXPECT_EQ(read.message, c.message);
            EXPECT_EQ(read.error, c.error);
        }
    }
}

// A remittance of many megabytes, made as it is read.
class LongRemittance final : public ByteSource {
  public:
    explicit LongRemittance(std::size_t transfers) : left_(transfers) {}

    std::ptrdiff_t Read(char* into, std::size_t size) override {
        if (rest_.empty() && !ended_) {
            ended_ = left_ == 0;
            rest_ = ended_ ? kEnd : kTransfer;
            left_ -= ended_ ? 0 : 1;
        }
        const std::size_t count = std::min(size, rest_.size());
        std::memcpy(into, rest_.data(), count);
        rest_.remove_prefix(count);
        return static_cast<std::ptrdiff_t>(count);
    }

  private:
    static constexpr std::string_view kTransfer =
        "<CdtTrfTxInf><Cdtr><Nm>Proveedor de ejemplo</Nm></Cdtr>\n"
        "<CdtrAcct><Id><IBAN>ES7921000813610123456789</IBAN></Id></CdtrAcct></CdtTrfTxInf>\n";
    static constexpr std::string_view kEnd = "</PmtInf></CstmrCdtTrfInitn></Document>";
    std::string_view rest_ =
        "<Document xmlns='urn:iso:std:iso:20022:tech:xsd:pain.001.001.03'>\n"
        "<CstmrCdtTrfInitn><PmtInf>\n";
    std::size_t left_;
    bool ended_ = false;
};

TEST(SepaReader, MemoryDoesNotGrowWithTheFile) {
    constexpr std::size_t kTransfers = 100000;  // 14 MB
    LongRemittance source(kTransfers);
    const std::size_t before = testing::HeapInUse();
    std::size_t most = 0;
    std::size_t count = 0;
    SepaAccount account;
    {
        SepaReader reader(source);
        while (reader.Next(account)) {
            ++count;
            const std::size_t now = testing::HeapInUse();
            most = std::max(most, now > before ? now - before : 0);
        }
        EXPECT_EQ(reader.error(), "");
    }
    EXPECT_EQ(count, kTransfers);
    EXPECT_EQ(account.line, 2 * kTransfers + 2);
    EXPECT_EQ(account.holder, "Proveedor de ejemplo");
    EXPECT_LT(most, 256u * 1024);
}

TEST(LooksLikeSepa, KnowsARemittanceByItsRoot) {
    const struct {
        std::string start;
        bool sepa;
    } cases[] = {
        {kTransfers, true},
        {kDebits, true},
        {kPrefixed, true},
        {Utf16(kPrefixed), true},
        {std::string("\xEF\xBB\xBF<?xml version='1.0'?>\n<!-- exportado -->\n") +
             "<Document xmlns='urn:iso:std:iso:20022:tech:xsd:pain.008.001.08'>",
         true},
        // Its start tag cut short: too little to tell.
        {std::string(kTransfers).substr(0, 60), false},
        {"<Document xmlns='urn:iso:std:iso:20022:tech:xsd:camt.053.001.02'><BkToCstmrStmt>", false},
        {"<Document xmlns='urn:iso:std:iso:20022:tech:xsd:pain.002.001.03'>", false},
        {"<Document xmlns='urn:iso:std:iso:20022:tech:xsd:pain.0011.001.03'>", false},
        {"<ns2:Document xmlns='urn:iso:std:iso:20022:tech:xsd:pain.001.001.03'>", false},
        {"<?xml version='1.0' encoding='UTF-8' standalone='yes'?>\n<worksheet "
         "xmlns='http://schemas.openxmlformats.org/spreadsheetml/2006/main'><sheetData>",
         false},
        {"<Remesa><Document xmlns='urn:iso:std:iso:20022:tech:xsd:pain.001.001.03'>", false},
        {"IBAN;Titular\nES9121000418450200051332;Ana\n", false},
        {"", false},
        {std::string(5000, ' ') + "<Document xmlns='pain.001.001.03'>", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LooksLikeSepa(c.start), c.sepa) << c.start.substr(0, 120);
    }
}

}  // namespace
}  // namespace minizol
