#include "checkdigits/key_filter.h"

namespace minizol {

char32_t FilterKey(char32_t code, KeyFilterRules allowed) {
    if (code == kBackspaceKey) {
        return code;
    }
    if (code >= U'0' && code <= U'9') {
        return allowed.digits ? code : 0;
    }
    if (allowed.checkX && (code == U'X' || code == U'x')) {
        return U'X';
    }
    if (allowed.letters && code >= U'A' && code <= U'Z') {
        return code;
    }
    if (allowed.letters && code >= U'a' && code <= U'z') {
        return code - U'a' + U'A';
    }
    if (allowed.minus && code == U'-') {
        return code;
    }
    return 0;
}

}  // namespace minizol
