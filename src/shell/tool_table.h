#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace minizol {

// The four tools in the order of the "(más)" menu and of the Ctrl cycle. The numeric values
// are the menu indexes 1 to 4; index 0 means "the next tool".
enum class ToolId { EuroZol = 1, DigiZol = 2, ReglaZol = 3, MemoZol = 4 };

inline constexpr std::array<ToolId, 4> kAllTools = {ToolId::EuroZol, ToolId::DigiZol,
                                                    ToolId::ReglaZol, ToolId::MemoZol};

// The tool identifier: each window's tag and its entry caption in the tools menu.
std::string_view ToolName(ToolId tool);

// The tool whose identifier equals `tag` exactly (case-sensitive), if any.
std::optional<ToolId> ToolFromTag(std::string_view tag);

// EuroZol -> DigiZol -> ReglaZol -> MemoZol -> EuroZol.
ToolId NextTool(ToolId tool);

// The tool a switch with `index` leads to: 0 is the next one after `current`, 1 to 4 that tool.
// Any other index is refused rather than guessed at.
std::optional<ToolId> SwitchTarget(ToolId current, int index);

}  // namespace minizol
