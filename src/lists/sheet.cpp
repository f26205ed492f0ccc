#include "lists/sheet.h"

#include <charconv>
#include <cmath>

#include "common/text_case.h"

namespace minizol {

std::string NumberCellText(double value) {
    char digits[32];
    // Every whole number a double holds exactly is written with all its digits.
    constexpr double kExactWhole = 9007199254740992.0;  // 2^53
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) <= kExactWhole) {
        const auto end =
            std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value)).ptr;
        return std::string(digits, end);
    }
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    std::string text(digits, end);
    for (char& c : text) {
        if (c == '.') {
            c = ',';
        }
    }
    return text;
}

std::string NumberCellText(std::string_view stored) {
    double value = 0;
    const auto [end, error] = std::from_chars(stored.data(), stored.data() + stored.size(), value);
    if (error != std::errc() || end != stored.data() + stored.size()) {
        return std::string(stored);
    }
    return NumberCellText(value);
}

bool IsChosenSheet(const SheetChoice& choice, std::string_view wanted, std::size_t index,
                   std::string_view name) {
    if (!choice.name.empty()) {
        std::string buffer;
        return UpperCase(name, buffer) == wanted;
    }
    return choice.position != 0 ? index + 1 == choice.position : index == 0;
}

std::string NoSuchSheet(const SheetChoice& choice, const std::vector<std::string>& names) {
    if (!choice.name.empty()) {
        std::string all;
        for (const std::string& name : names) {
            all += (all.empty() ? "" : ", ") + name;
        }
        return "no tiene ninguna hoja «" + choice.name + "»" +
               (names.empty() ? "" : " (tiene: " + all + ")");
    }
    if (choice.position != 0 && !names.empty()) {
        return "no tiene la hoja " + std::to_string(choice.position) + " (tiene " +
               std::to_string(names.size()) + ")";
    }
    return "no tiene ninguna hoja";
}

}  // namespace minizol
