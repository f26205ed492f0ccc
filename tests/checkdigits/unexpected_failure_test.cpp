#include "checkdigits/unexpected_failure.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <new>
#include <stdexcept>
#include <system_error>

namespace minizol {
namespace {

TEST(UnexpectedFailure, TextIsNumberColonDescription) {
    const std::system_error denied(EACCES, std::generic_category(), "abrir");
    const std::out_of_range range("posición");
    const struct {
        const std::exception& failure;
        std::string text;
    } cases[] = {
        {denied, std::to_string(EACCES) + ": " + denied.what()},
        {std::bad_alloc(), std::to_string(ENOMEM) + ": std::bad_alloc"},
        {range, std::to_string(ERANGE) + ": posición"},
        {std::runtime_error("sin datos"), std::to_string(EINVAL) + ": sin datos"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UnexpectedFailureText(c.failure), c.text);
    }
}

}  // namespace
}  // namespace minizol
