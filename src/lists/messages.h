#pragma once

#include <string>
#include <string_view>

namespace minizol {

// The system's reason for a failed call (an errno) in Spanish, whatever the locale: every message
// of the program is.
std::string ErrorText(int error);

// A name in a message, between Spanish quotes: «remesa.csv».
std::string Quoted(std::string_view name);

}  // namespace minizol
