#include "checkdigits/readable_bank_name.h"

#include <algorithm>
#include <array>
#include <utility>

#include "common/text_case.h"
#include "common/utf8_text.h"

namespace minizol {
namespace {

// What a registered name says about the company rather than the bank, from the first of them on:
// what follows is more of the same ("S.A., Sucursal en España").
constexpr std::array<std::string_view, 25> kCompanyForms = {
    "S.A.",
    "S.L.",
    "S.p.A.",
    "N.V.",
    "B.V.",
    "A.G.",
    "AG",
    "SE",
    "S.E.",
    "U.A.",
    "plc",
    "GmbH",
    "DAC",
    "Aktiengesellschaft",
    "National Association",
    "Sociedad Anónima",
    "Corporación Bancaria",
    "Corporacion Bancaria",
    "Sucursal",
    "Sociedad Cooperativa",
    "Società Cooperativa",
    "S. Coop.",
    "Coop.",
    "Cooperativa de Crédito",
    "Cooperativa de Credit",
};

// Names people know by another one, the way the rules leave them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 12> kKnownAs = {{
    {"Open Bank", "Openbank"},
    {"Banco Bilbao Vizcaya Argentaria", "BBVA"},
    {"Banco de Sabadell", "Banco Sabadell"},
    {"Société Genérale", "Société Générale"},
    {"Crédit Suisse", "Credit Suisse"},
    {"Cooperatieve Rabobank", "Rabobank"},
    {"Crédit Agricole Corporate and Investment Bank", "Crédit Agricole CIB"},
    {"Caisse Régionale de Crédit Agricole Mutuel Sud-Méditerranée (Ariège et Pyrénées-Orientales)",
     "Crédit Agricole Sud Méditerranée"},
    {"Caja de Ahorros y Monte de Piedad de Ontinyent", "Caixa Ontinyent"},
    {"Caixa de Crédit dels Enginyers", "Caja de Ingenieros"},
    {"Caja Laboral Popular", "Laboral Kutxa"},
    {"Caja Rural de Albacete, Ciudad Real y Cuenca", "Globalcaja"},
}};

// Words written as the brand writes them, and abbreviations people say in full.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kWords = {{
    {"Ing", "ING"},
    {"Evo", "EVO"},
    {"Caixabank", "CaixaBank"},
    {"Wizink", "WiZink"},
    {"Ntra.", "Nuestra"},
    {"Sra.", "Señora"},
}};

// Words that stay in lower case inside a name.
constexpr std::array<std::string_view, 11> kSmallWords = {"de", "del", "la", "las", "los", "el",
                                                          "y",  "e",   "en", "of",  "and"};

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Bytes of multi-byte UTF-8 characters count as letters: the registry's are (á, ñ, ç ...).
bool IsLetterByte(char c) {
    return IsAsciiLetter(c) || static_cast<unsigned char>(c) >= 0x80;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// Lower case for ASCII and for the Latin-1 capitals of UTF-8 text (Ñ, É ...), the registry's.
void LowerCase(std::string& word) {
    for (std::size_t i = 0; i < word.size(); ++i) {
        const auto byte = static_cast<unsigned char>(word[i]);
        const auto next = i + 1 < word.size() ? static_cast<unsigned char>(word[i + 1]) : 0;
        if (byte == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97) {  // 0x97 is ×
            word[++i] = static_cast<char>(next + 0x20);
        } else {
            word[i] = AsciiLower(word[i]);
        }
    }
}

template <typename Edit>
std::string EachWord(std::string_view text, Edit edit) {
    std::string result;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        if (start > 0) {
            result += ' ';
        }
        result += edit(text.substr(start, end - start), start == 0);
        start = end + 1;
    }
    return result;
}

// Names the registry writes in capitals ("BANCO FINANTIA") as names are written; words of other
// characters than letters ("A&G") are acronyms and stay.
std::string TitleCase(std::string_view name) {
    return EachWord(name, [](std::string_view word, bool first) {
        std::string result(word);
        const std::string_view letters = word.substr(0, word.find_last_not_of(',') + 1);
        if (letters.empty() || !std::ranges::all_of(letters, IsLetterByte)) {
            return result;
        }
        LowerCase(result);
        if (first || std::ranges::find(kSmallWords, result) == kSmallWords.end()) {
            const std::size_t firstChar = CharLengthAt(result, 0);
            result.replace(0, firstChar, UpperCase(std::string_view(result).substr(0, firstChar)));
        }
        return result;
    });
}

bool StartsWordAt(std::string_view text, std::size_t pos, std::string_view word) {
    if (pos == 0 || pos + word.size() > text.size() ||
        (text[pos - 1] != ' ' && text[pos - 1] != ',')) {
        return false;
    }
    const std::size_t end = pos + word.size();
    return SameIgnoringCase(text.substr(pos, word.size()), word) &&
           (end == text.size() || !IsLetterByte(text[end]) || !IsLetterByte(word.back()));
}

std::string_view TrimEnd(std::string_view text) {
    const std::size_t end = text.find_last_not_of(" ,-");
    return text.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

std::string_view WithoutCompanyForm(std::string_view name) {
    for (std::size_t pos = 1; pos < name.size(); ++pos) {
        for (std::string_view form : kCompanyForms) {
            if (StartsWordAt(name, pos, form)) {
                return TrimEnd(name.substr(0, pos));
            }
        }
    }
    return name;
}

// "Colonya - Caixa D'estalvis de Pollensa": a dash beside a blank ends the name and starts a
// description of it; a dash between two words joins them ("Castilla-La Mancha").
std::string_view WithoutDescription(std::string_view name) {
    for (std::size_t pos = name.find('-'); pos != std::string_view::npos;
         pos = name.find('-', pos + 1)) {
        const bool blankBefore = pos > 0 && name[pos - 1] == ' ';
        const bool blankAfter = pos + 1 < name.size() && name[pos + 1] == ' ';
        if (blankBefore || blankAfter) {
            return TrimEnd(name.substr(0, pos));
        }
    }
    return name;
}

// "Cajamar Caja Rural", "Cajasiete, Caja Rural": the rural savings bank's own name says it all.
std::string_view WithoutRuralBankTitle(std::string_view name) {
    for (std::string_view title : {"Caja Rural", "Caixa Rural"}) {
        if (name.size() > title.size() && name.ends_with(title)) {
            const char before = name[name.size() - title.size() - 1];
            if (before == ' ' || before == ',' || before == '-') {
                return TrimEnd(name.substr(0, name.size() - title.size()));
            }
        }
    }
    return name;
}

// A savings bank that became a bank keeps its name: "Ibercaja Banco" is Ibercaja.
std::string_view WithoutSavingsBankCompany(std::string_view name) {
    constexpr std::string_view kBank = " Banco";
    if (!name.ends_with(kBank)) {
        return name;
    }
    const std::string_view savingsBank = name.substr(0, name.size() - kBank.size());
    std::string lower(savingsBank);
    LowerCase(lower);
    const bool oneWord = savingsBank.find(' ') == std::string_view::npos;
    return oneWord && lower.find("caja") != std::string::npos ? savingsBank : name;
}

// Quotation marks go ("Caixa Rural La Vall 'San Isidro'"), apostrophes stay ("L'Alcudia"); an
// elided "de" inside a name is written small ("Caixa Rural d'Algemesí").
std::string TidyWord(std::string_view word, bool first) {
    std::string result(word);
    if (result.starts_with('\'')) {
        result.erase(0, 1);
    }
    for (std::string_view end : {"',", "'"}) {
        if (result.ends_with(end)) {
            result.erase(result.size() - end.size(), 1);
            break;
        }
    }
    for (const auto& [written, said] : kWords) {
        if (result == written) {
            return std::string(said);
        }
    }
    if (!first && result.starts_with("D'")) {
        result[0] = 'd';
    }
    return result;
}

}  // namespace

std::string ReadableBankName(std::string_view registered) {
    const bool capitals =
        std::ranges::none_of(registered, [](char c) { return c >= 'a' && c <= 'z'; });
    const std::string written = capitals ? TitleCase(registered) : std::string(registered);
    std::string_view name = written;
    // Each rule shortens the name, none so far that nothing is left of it.
    for (auto shorten : {WithoutCompanyForm, WithoutDescription, WithoutRuralBankTitle,
                         WithoutSavingsBankCompany}) {
        const std::string_view shorter = shorten(name);
        if (!shorter.empty()) {
            name = shorter;
        }
    }
    for (const auto& [rulesLeave, peopleSay] : kKnownAs) {
        if (name == rulesLeave) {
            return std::string(peopleSay);
        }
    }
    return EachWord(name, TidyWord);
}

}  // namespace minizol
