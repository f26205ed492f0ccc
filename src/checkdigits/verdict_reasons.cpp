#include "checkdigits/verdict_reasons.h"

#include <charconv>

namespace minizol {
namespace {

// "la J", "el 4": a control character with the article Spanish gives its name.
void AppendWithArticle(std::string& out, char control) {
    out += control >= '0' && control <= '9' ? "el " : "la ";
    out += control;
}

void AppendCompanyReason(std::string& out, const IdentityAnalysis& analysis) {
    const ControlForm form = CompanyControlForm(analysis.letter);
    if (analysis.wrongForm) {
        out += "tras la ";
        out += analysis.letter;
        out += form == ControlForm::Digit ? " va una cifra" : " va una letra";
    } else if (form == ControlForm::Digit) {
        out += "la cifra de control no corresponde";
    } else if (form == ControlForm::Letter) {
        out += "la letra de control no corresponde";
    } else {
        out += "el carácter de control no corresponde";
    }
    out += "; corresponde ";
    if (form != ControlForm::Digit) {
        AppendWithArticle(out, analysis.controlChar);
    }
    if (form == ControlForm::Either) {
        out += " o ";
    }
    if (form != ControlForm::Letter) {
        AppendWithArticle(out, analysis.controlDigit);
    }
}

}  // namespace

void AppendDigitsReason(std::string& out, std::string_view written, std::string_view expected) {
    out += "pone ";
    out += written;
    out += "; corresponde ";
    out += expected;
}

void AppendIdentityReason(std::string& out, const IdentityAnalysis& analysis) {
    if (analysis.status != IdentityStatus::Mismatch) {
        return;
    }
    if (analysis.kind == IdentityKind::Company) {
        AppendCompanyReason(out, analysis);
        return;
    }
    out += "la letra no corresponde; corresponde ";
    AppendWithArticle(out, analysis.controlChar);
}

void AppendIsbnReason(std::string& out, std::string_view expected) {
    out += "la cifra de control no corresponde; corresponde ";
    if (expected.size() == 1) {
        AppendWithArticle(out, expected[0]);
    } else {
        out += expected;
    }
}

void AppendFormatReason(std::string& out, std::string_view written, std::size_t position,
                        std::string_view expected) {
    out += "pone ";
    out += written;
    out += " en la posición ";
    char digits[20];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, position).ptr);
    out += "; corresponde ";
    out += expected;
}

std::string IsbnRowReason(const IsbnResult& result) {
    std::string reason;
    if (result.red && result.checkDigit.empty()) {
        reason = "no es un ISBN";
    } else if (result.red) {
        AppendIsbnReason(reason, result.checkDigit);
    }
    return reason;
}

std::string IdentityRowReason(const IdentityAnalysis& analysis) {
    std::string reason;
    if (analysis.status == IdentityStatus::Invalid) {
        reason = "no es un DNI, un NIE ni un CIF";
    }
    AppendIdentityReason(reason, analysis);
    return reason;
}

}  // namespace minizol
