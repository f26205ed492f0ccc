#include "checkdigits/verdict_reasons.h"

#include "checkdigits/cif.h"

namespace minizol {
namespace {

// "la J", "el 4": a control character with the article Spanish gives its name.
std::string WithArticle(char control) {
    const bool digit = control >= '0' && control <= '9';
    return std::string(digit ? "el " : "la ") + control;
}

}  // namespace

std::string DigitsReason(std::string_view written, std::string_view expected) {
    std::string reason = "pone ";
    reason += written;
    reason += "; corresponde ";
    reason += expected;
    return reason;
}

std::string IdentityReason(const IdentityAnalysis& analysis) {
    if (analysis.status != IdentityStatus::Mismatch) {
        return {};
    }
    if (analysis.kind != IdentityKind::Company) {
        return "la letra no corresponde; corresponde " + WithArticle(analysis.controlChar);
    }
    switch (CompanyControlForm(analysis.letter)) {
        case ControlForm::Digit:
            return (analysis.wrongForm ? std::string("tras la ") + analysis.letter + " va una cifra"
                                       : std::string("la cifra de control no corresponde")) +
                   "; corresponde " + WithArticle(analysis.controlDigit);
        case ControlForm::Letter:
            return (analysis.wrongForm ? std::string("tras la ") + analysis.letter + " va una letra"
                                       : std::string("la letra de control no corresponde")) +
                   "; corresponde " + WithArticle(analysis.controlChar);
        case ControlForm::Either:
            break;
    }
    return "el carácter de control no corresponde; corresponde " +
           WithArticle(analysis.controlChar) + " o " + WithArticle(analysis.controlDigit);
}

std::string IsbnReason(std::string_view expected) {
    return "la cifra de control no corresponde; corresponde " +
           (expected.size() == 1 ? WithArticle(expected[0]) : std::string(expected));
}

std::string IsbnRowReason(const IsbnResult& result) {
    if (!result.red) {
        return {};
    }
    return result.checkDigit.empty() ? "no es un ISBN" : IsbnReason(result.checkDigit);
}

std::string IdentityRowReason(const IdentityAnalysis& analysis) {
    if (analysis.status == IdentityStatus::Mismatch) {
        return IdentityReason(analysis);
    }
    return analysis.status == IdentityStatus::Invalid ? "no es un DNI, un NIE ni un CIF" : "";
}

std::string FormatReason(std::string_view written, std::size_t position,
                         std::string_view expected) {
    std::string reason = "pone ";
    reason += written;
    reason += " en la posición ";
    reason += std::to_string(position);
    reason += "; corresponde ";
    reason += expected;
    return reason;
}

}  // namespace minizol
