#include "checkdigits/unexpected_failure.h"

#include <cerrno>
#include <new>
#include <stdexcept>
#include <system_error>

namespace minizol {
namespace {

int FailureNumber(const std::exception& failure) {
    if (const auto* system = dynamic_cast<const std::system_error*>(&failure)) {
        return system->code().value();
    }
    if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) {
        return ENOMEM;
    }
    if (dynamic_cast<const std::out_of_range*>(&failure) != nullptr ||
        dynamic_cast<const std::length_error*>(&failure) != nullptr) {
        return ERANGE;
    }
    return EINVAL;
}

}  // namespace

std::string UnexpectedFailureText(const std::exception& failure) {
    return std::to_string(FailureNumber(failure)) + ": " + failure.what();
}

}  // namespace minizol
