#include "ruler/size_reply.h"

#include <gtest/gtest.h>

namespace minizol {
namespace {

const NumberSyntax kComma{",", "."};             // es_ES
const NumberSyntax kPoint{".", ","};             // en_US
const NumberSyntax kNarrowSpace{",", "\u202F"};  // fr_FR groups with a narrow space

// Any reply comes back trimmed and in capitals: after a refusal it is the next default.
TEST(SizeReply, ReadsTheReply) {
    using enum SizeReplyKind;
    const struct {
        const char* reply;
        const NumberSyntax& syntax;
        SizeReplyKind kind;
        int width, height;
        const char* text;
    } cases[] = {
        {"", kComma, Empty, 0, 0, ""},
        {"  300x150  ", kComma, Accepted, 300, 150, "300X150"},
        {"300 X\t150", kPoint, Accepted, 300, 150, "300 X\t150"},
        {"1000x0", kComma, Accepted, 1000, 0, "1000X0"},
        {"1,5x2,5", kComma, Accepted, 2, 2, "1,5X2,5"},
        {"100.5x20.51", kPoint, Accepted, 100, 21, "100.5X20.51"},
        {"0,500001x-0,4", kComma, Accepted, 1, 0, "0,500001X-0,4"},
        {"1.000x1", kComma, Accepted, 1000, 1, "1.000X1"},
        {"1\u202F000x5", kNarrowSpace, Accepted, 1000, 5, "1\u202F000X5"},
        {"300", kComma, Rejected, 0, 0, "300"},
        {" x ", kComma, Rejected, 0, 0, "X"},
        {" 300x150x2 ", kComma, Rejected, 0, 0, "300X150X2"},
        {"10x-1", kComma, Rejected, 0, 0, "10X-1"},
        {"1000,51x0", kComma, Rejected, 0, 0, "1000,51X0"},
        {"100.5x20", kComma, Rejected, 0, 0, "100.5X20"},
        {"100,5x20", kPoint, Rejected, 0, 0, "100,5X20"},
        {"0.00.000x1", kComma, Rejected, 0, 0, "0.00.000X1"},
        {"1e3x5", kPoint, Rejected, 0, 0, "1E3X5"},
        {"\xFFx1", kComma, Rejected, 0, 0, "\xFFX1"},
        {"ñáéíóúü÷ÿx1", kComma, Rejected, 0, 0, "ÑÁÉÍÓÚÜ÷ŸX1"},
        {"99999999999999999999x1", kPoint, Rejected, 0, 0, "99999999999999999999X1"},
    };
    for (const auto& c : cases) {
        const SizeReply reply = ParseSizeReply(c.reply, c.syntax);
        EXPECT_EQ(reply.kind, c.kind) << c.reply;
        EXPECT_EQ(reply.text, c.text);
        EXPECT_EQ(reply.width, c.width) << c.reply;
        EXPECT_EQ(reply.height, c.height) << c.reply;
    }
}

}  // namespace
}  // namespace minizol
