#pragma once

#include <exception>
#include <string>

namespace minizol {

// The text of the box that reports a failure nobody expected: the failure's number, ": " and its
// description. Numbers are those of the C library's error codes, so a system error keeps its own.
std::string UnexpectedFailureText(const std::exception& failure);

}  // namespace minizol
