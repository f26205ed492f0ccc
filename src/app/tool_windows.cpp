#include "app/tool_windows.h"

#include <memory>

#include "checkdigits/frmDigiZol.h"
#include "euro/frmEuroZol.h"
#include "memory/frmMemozol.h"
#include "ruler/frmReglazol.h"
#include "shell/shell.h"

namespace minizol {
namespace {

template <typename Window>
Shell::WindowFactory Make() {
    return [](Shell& shell) { return std::make_unique<Window>(shell); };
}

}  // namespace

void RegisterToolWindows(Shell& shell) {
    shell.SetFactory(ToolId::EuroZol, Make<frmEuroZol>());
    shell.SetFactory(ToolId::DigiZol, Make<frmDigiZol>());
    shell.SetFactory(ToolId::ReglaZol, Make<frmReglazol>());
    shell.SetFactory(ToolId::MemoZol, Make<frmMemozol>());
}

}  // namespace minizol
