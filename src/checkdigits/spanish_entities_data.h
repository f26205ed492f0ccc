#pragma once

#include <string_view>

namespace minizol {

// data/entidades-es.tsv as built into the program: a header line, then one Spanish credit
// institution a line, "code<TAB>BIC<TAB>registered name", UTF-8, sorted by code.
std::string_view SpanishEntitiesTsv();

}  // namespace minizol
