#include "checkdigits/spanish_entities.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "checkdigits/bic.h"
#include "checkdigits/readable_bank_name.h"
#include "checkdigits/spanish_entities_data.h"
#include "common/utf8_text.h"

namespace minizol {
namespace {

constexpr std::string_view kHeader = "codigo\tbic\tnombre";
constexpr int kCodes = 10000;  // entity codes have four digits
constexpr std::uint16_t kNone = std::numeric_limits<std::uint16_t>::max();

[[noreturn]] void Refuse(std::size_t lineNumber, std::string_view why) {
    throw std::invalid_argument("línea " + std::to_string(lineNumber) + ": " + std::string(why));
}

// The code of exactly four digits, or -1.
int ReadCode(std::string_view text) {
    if (text.size() != 4 ||
        !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    int code = 0;
    for (char c : text) {
        code = code * 10 + (c - '0');
    }
    return code;
}

SpanishEntity ReadEntity(std::string_view line, std::size_t lineNumber) {
    const std::size_t firstTab = line.find('\t');
    const std::size_t secondTab = line.find('\t', firstTab + 1);
    if (firstTab == std::string_view::npos || secondTab == std::string_view::npos ||
        line.find('\t', secondTab + 1) != std::string_view::npos) {
        Refuse(lineNumber, "no son tres columnas");
    }
    const int code = ReadCode(line.substr(0, firstTab));
    const std::string_view bic = line.substr(firstTab + 1, secondTab - firstTab - 1);
    const std::string_view name = line.substr(secondTab + 1);
    if (code < 0) {
        Refuse(lineNumber, "el código no tiene cuatro cifras");
    }
    if (!ReadBic(bic).form) {
        Refuse(lineNumber, "el BIC no tiene la forma de un BIC");
    }
    if (name.empty() || !IsWellFormed(name)) {
        Refuse(lineNumber, "el nombre falta o no es UTF-8");
    }
    return {code, bic, name, {}};
}

}  // namespace

SpanishEntityTable::SpanishEntityTable(std::string_view tsv) : index_(kCodes, kNone) {
    if (tsv.ends_with('\n')) {
        tsv.remove_suffix(1);
    }
    std::size_t lineNumber = 1;
    std::size_t start = 0;
    for (bool header = true; start <= tsv.size(); header = false, ++lineNumber) {
        const std::size_t end = std::min(tsv.find('\n', start), tsv.size());
        const std::string_view line = tsv.substr(start, end - start);
        start = end + 1;
        if (header) {
            if (line != kHeader) {
                Refuse(lineNumber, "falta la cabecera");
            }
            continue;
        }
        const SpanishEntity entity = ReadEntity(line, lineNumber);
        if (!entities_.empty() && entity.code <= entities_.back().code) {
            Refuse(lineNumber, "el código no sigue al anterior");
        }
        index_[static_cast<std::size_t>(entity.code)] =
            static_cast<std::uint16_t>(entities_.size());
        entities_.push_back(entity);
    }
    // The names are all made before any is referred to, so that none moves afterwards.
    names_.reserve(entities_.size());
    for (const SpanishEntity& entity : entities_) {
        names_.push_back(ReadableBankName(entity.registeredName));
    }
    for (std::size_t i = 0; i < entities_.size(); ++i) {
        entities_[i].name = names_[i];
    }
}

const SpanishEntity* SpanishEntityTable::Find(int code) const {
    if (code < 0 || code >= kCodes) {
        return nullptr;
    }
    const std::uint16_t found = index_[static_cast<std::size_t>(code)];
    return found == kNone ? nullptr : &entities_[found];
}

namespace {

const SpanishEntityTable& BuiltIn() {
    static const SpanishEntityTable table(SpanishEntitiesTsv());
    return table;
}

}  // namespace

std::span<const SpanishEntity> SpanishEntities() {
    return BuiltIn().Entities();
}

const SpanishEntity* FindSpanishEntity(int code) {
    return BuiltIn().Find(code);
}

}  // namespace minizol
