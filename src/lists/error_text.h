#pragma once

#include <string>

namespace minizol {

// The system's reason for a failed call (an errno) in Spanish, whatever the locale: every message
// of the program is.
std::string ErrorText(int error);

}  // namespace minizol
