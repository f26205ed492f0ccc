#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "lists/record_reader.h"

namespace minizol {

// An account of a SEPA remittance: an IBAN element and whose it is.
struct SepaAccount {
    std::uint64_t line = 0;  // the line of the XML file the IBAN element starts on
    std::string party;   // "ordenante", "beneficiario" (pain.001); "acreedor", "deudor" (pain.008)
    std::string holder;  // the party's name (Nm) where the file gives it, else ""
    std::string iban;    // the element's text as it stands
};

// Whether `start`, the first bytes of a file, begin an XML document of SEPA credit transfers
// (pain.001) or direct debits (pain.008), whatever their version.
bool LooksLikeSepa(std::string_view start);

// Reads the accounts of a remittance in the order the file gives them, the ordering party's
// included, as the XML streams in: memory does not grow with the file.
class SepaReader {
  public:
    explicit SepaReader(ByteSource& source);
    ~SepaReader();
    SepaReader(const SepaReader&) = delete;
    SepaReader& operator=(const SepaReader&) = delete;

    // The next account into `account`; false at the end, or when the file could not be read on
    // (error() says why).
    bool Next(SepaAccount& account);
    // Why reading stopped early, in Spanish ("XML mal formado en la línea 12: ..."), or "".
    const std::string& error() const;
    // The message kind the root names, as "pain.001.001.03", once read.
    const std::string& message() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace minizol
