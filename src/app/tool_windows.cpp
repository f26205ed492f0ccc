#include "app/tool_windows.h"

#include <QTimer>
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

void StartWithLists(Shell& shell, const QStringList& paths) {
    auto& digiZol = static_cast<frmDigiZol&>(shell.Show(ToolId::DigiZol));
    // Opened from the event loop, over DigiZol already on screen.
    QTimer::singleShot(0, &digiZol, [&digiZol, paths] { digiZol.OpenLists(paths); });
}

}  // namespace minizol
