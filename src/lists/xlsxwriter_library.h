#pragma once

#include <string>

namespace minizol {

// libxlsxwriter is opened when the first workbook is written rather than linked: its shared
// library, and the libcrypto it needs, would more than treble every start of minizol-comprobar.

// The address of libxlsxwriter's function `name`, the library opened on the first call, once for
// the program and from any thread; null, with `error` saying why, when the library or the function
// is missing.
void* XlsxWriterFunction(const char* name, std::string& error);

// Sets `function` to libxlsxwriter's function `name`, typed as the caller declares it.
template <typename Function>
bool FindXlsxWriterFunction(const char* name, Function*& function, std::string& error) {
    function = reinterpret_cast<Function*>(XlsxWriterFunction(name, error));
    return function != nullptr;
}

}  // namespace minizol
