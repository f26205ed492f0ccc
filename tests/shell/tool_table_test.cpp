#include "shell/tool_table.h"

#include <gtest/gtest.h>

namespace minizol {
namespace {

TEST(ToolTable, NamesAndTagsRoundTrip) {
    for (ToolId tool : kAllTools) {
        EXPECT_EQ(ToolFromTag(ToolName(tool)), tool);
    }
    EXPECT_EQ(ToolFromTag("eurozol"), std::nullopt);
    EXPECT_EQ(ToolFromTag(""), std::nullopt);
}

TEST(ToolTable, SwitchTargets) {
    struct Case {
        ToolId current;
        int index;
        std::optional<ToolId> expected;
    };
    const Case cases[] = {
        {ToolId::EuroZol, 0, ToolId::DigiZol},  {ToolId::DigiZol, 0, ToolId::ReglaZol},
        {ToolId::ReglaZol, 0, ToolId::MemoZol}, {ToolId::MemoZol, 0, ToolId::EuroZol},
        {ToolId::EuroZol, 4, ToolId::MemoZol},  {ToolId::MemoZol, 1, ToolId::EuroZol},
        {ToolId::DigiZol, 2, ToolId::DigiZol},  {ToolId::EuroZol, 5, std::nullopt},
        {ToolId::EuroZol, -1, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SwitchTarget(c.current, c.index), c.expected)
            << ToolName(c.current) << " index " << c.index;
    }
}

}  // namespace
}  // namespace minizol
