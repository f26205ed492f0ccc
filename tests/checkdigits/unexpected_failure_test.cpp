#include "checkdigits/unexpected_failure.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <new>
#include <stdexcept>
#include <system_error>

namespace minizol {
namespace {

struct FailureCase {
    const char* name;
    std::function<void()> fail;
    std::string text;
};

class UnexpectedFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(UnexpectedFailure, TextIsNumberColonDescription) {
    try {
        GetParam().fail();
        FAIL() << "nothing was thrown";
    } catch (const std::exception& failure) {
        EXPECT_EQ(UnexpectedFailureText(failure), GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnexpectedFailure,
    ::testing::Values(
        FailureCase{"SystemErrorKeepsItsCode",
                    [] { throw std::system_error(EACCES, std::generic_category(), "abrir"); },
                    std::to_string(EACCES) + ": abrir: " + std::generic_category().message(EACCES)},
        FailureCase{"OutOfMemory", [] { throw std::bad_alloc(); },
                    std::to_string(ENOMEM) + ": std::bad_alloc"},
        FailureCase{"OutOfRange", [] { (void)std::string("ab").at(5); },
                    std::to_string(ERANGE) + ": " +
                        [] {
                            try {
                                (void)std::string("ab").at(5);
                            } catch (const std::out_of_range& e) {
                                return std::string(e.what());
                            }
                            return std::string();
                        }()},
        FailureCase{"AnyOtherFailure", [] { throw std::runtime_error("sin datos"); },
                    std::to_string(EINVAL) + ": sin datos"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace minizol
