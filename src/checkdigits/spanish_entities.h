#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace minizol {

// A Spanish credit institution with a BIC, as the ECB lists it.
struct SpanishEntity {
    int code;                         // the account's first four digits (NRBE), 0 to 9999
    std::string_view bic;             // 8 or 11 characters
    std::string_view registeredName;  // as the registry writes it
    std::string_view name;            // as people call the bank (ReadableBankName)
};

// Entities read from text laid out as data/entidades-es.tsv: the header "codigo\tbic\tnombre",
// then one entity a line, "code<TAB>BIC<TAB>registered name", with its code of four digits and
// the codes in ascending order. The entities refer to the text, which must outlive the table.
class SpanishEntityTable {
  public:
    // Throws std::invalid_argument naming the first line that is not an entity: a table that
    // silently lost banks would leave their accounts without a name.
    explicit SpanishEntityTable(std::string_view tsv);

    // The entities' names refer to the table's own strings: it stays where it was built.
    SpanishEntityTable(const SpanishEntityTable&) = delete;
    SpanishEntityTable& operator=(const SpanishEntityTable&) = delete;

    std::span<const SpanishEntity> Entities() const { return entities_; }

    // The entity with the code, or nullptr; one look-up, as lists ask for every account.
    const SpanishEntity* Find(int code) const;

  private:
    std::vector<std::string> names_;
    std::vector<SpanishEntity> entities_;
    std::vector<std::uint16_t> index_;  // by code: the place in entities_, or kNone
};

// The entities built into the program (data/entidades-es.tsv), in the order of their codes; read
// on first use, from any thread.
std::span<const SpanishEntity> SpanishEntities();
const SpanishEntity* FindSpanishEntity(int code);

}  // namespace minizol
