// A SEPA remittance as minizol-comprobar reads it: any bytes, as XML of any encoding Expat
// knows. Input: a byte for how many bytes a read brings, then the file.
#include <algorithm>
#include <string>
#include <vector>

#include "common/utf8_text.h"
#include "fuzz_support.h"
#include "lists/sepa_reader.h"
#include "support/memory_source.h"

namespace minizol::fuzz {
namespace {

struct Read {
    std::vector<std::string> accounts;
    std::string message;
    std::string error;  // without Expat's words
    bool operator==(const Read&) const = default;
};

// Every party an account may have, each between bars.
constexpr std::string_view kParties =
    "|ordenante|beneficiario|acreedor|deudor|entidad del ordenante|entidad del beneficiario|"
    "entidad del acreedor|entidad del deudor|entidad intermediaria|cuenta de gastos|"
    "ordenante anterior|deudor anterior|entidad anterior del ordenante|"
    "entidad anterior del deudor|entidad anterior del beneficiario|entidad anterior del acreedor|";

Read ReadAll(std::string_view data, std::size_t chunk) {
    // Expat counts a lone carriage return as a line end too.
    const auto lines = static_cast<std::uint64_t>(std::count(data.begin(), data.end(), '\n') +
                                                  std::count(data.begin(), data.end(), '\r') + 1);
    MemorySource source(data, chunk);
    SepaReader reader(source);
    Read read;
    std::uint64_t line = 1;
    for (SepaAccount account; reader.Next(account);) {
        const std::string what = std::to_string(account.line) + " " + account.party + "|" +
                                 account.holder + "|" + account.iban;
        FUZZ_CHECK(account.line >= line && account.line <= lines, what);
        FUZZ_CHECK(kParties.find("|" + account.party + "|") != std::string_view::npos, what);
        FUZZ_CHECK(IsWellFormed(account.holder) && IsWellFormed(account.iban), Quoted(what));
        FUZZ_CHECK(account.holder.size() <= 1024 && account.iban.size() <= 1024, Quoted(what));
        line = account.line;
        read.accounts.push_back(what);
    }
    read.message = reader.message();
    // Expat words an error by where a read happens to end ("junk after document element" or
    // "not well-formed" for the same bytes), so the line it is on is what must not vary.
    read.error = reader.error().substr(0, reader.error().find(": "));
    FUZZ_CHECK(read.accounts.empty() || !read.message.empty(), "accounts of no remittance");
    FUZZ_CHECK(read.message.empty() || read.message.starts_with("pain.001") ||
                   read.message.starts_with("pain.008"),
               read.message);
    return read;
}

}  // namespace
}  // namespace minizol::fuzz

FUZZ_TARGET(input) {
    const std::size_t chunk = input.Byte() + 1u;
    const std::string_view data = input.TakeRest();
    const Read read = ReadAll(data, chunk);
    FUZZ_CHECK(read == ReadAll(data, 1), "accounts depend on how much a read brings");
    FUZZ_CHECK(read == ReadAll(data, 4096), "accounts depend on how much a read brings");
    // What the first bytes promise, the whole file keeps.
    FUZZ_CHECK(!LooksLikeSepa(data) || !read.message.empty(), Quoted(data.substr(0, 200)));
}
