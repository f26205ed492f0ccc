#include "lists/xlsxwriter_library.h"

#include <dlfcn.h>

namespace minizol {
namespace {

void* Library() {
    // RTLD_NOW finds a missing function before any workbook is begun; RTLD_LOCAL keeps the
    // library's symbols, and those of the zlib and minizip it brings, from answering the lookups
    // of anything loaded later, such as iconv's converters. It is never closed: its functions
    // are called until the program ends.
    static void* const library = dlopen("libxlsxwriter.so.4", RTLD_NOW | RTLD_LOCAL);
    return library;
}

}  // namespace

void* XlsxWriterFunction(const char* name, std::string& error) {
    void* const library = Library();
    if (library == nullptr) {
        error =
            "no se puede escribir .xlsx: falta la biblioteca libxlsxwriter (paquete "
            "libxlsxwriter4)";
        return nullptr;
    }
    void* const function = dlsym(library, name);
    if (function == nullptr) {
        error = std::string("no se puede escribir .xlsx: la biblioteca libxlsxwriter no tiene «") +
                name + "» (paquete libxlsxwriter4 demasiado antiguo)";
    }
    return function;
}

}  // namespace minizol
