#include "shell/tool_table.h"

namespace minizol {

std::string_view ToolName(ToolId tool) {
    switch (tool) {
        case ToolId::EuroZol:
            return "EuroZol";
        case ToolId::DigiZol:
            return "DigiZol";
        case ToolId::ReglaZol:
            return "ReglaZol";
        case ToolId::MemoZol:
            return "MemoZol";
    }
    return {};
}

std::optional<ToolId> ToolFromTag(std::string_view tag) {
    for (ToolId tool : kAllTools) {
        if (ToolName(tool) == tag) {
            return tool;
        }
    }
    return std::nullopt;
}

ToolId NextTool(ToolId tool) {
    return tool == ToolId::MemoZol ? ToolId::EuroZol
                                   : static_cast<ToolId>(static_cast<int>(tool) + 1);
}

std::optional<ToolId> SwitchTarget(ToolId current, int index) {
    if (index == 0) {
        return NextTool(current);
    }
    if (index >= 1 && index <= static_cast<int>(kAllTools.size())) {
        return static_cast<ToolId>(index);
    }
    return std::nullopt;
}

}  // namespace minizol
