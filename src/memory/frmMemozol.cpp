#include "memory/frmMemozol.h"

#include "shell/twips.h"

namespace minizol {
namespace {

constexpr int kF1KeyCode = 112;

}  // namespace

frmMemozol::frmMemozol(Shell& shell)
    : ToolWindow(shell, {ToolId::MemoZol, QStringLiteral("Memoria"), false, true, false}) {
    SetClientSize({Px(5820), Px(2205)});
    Form_Load();
}

void frmMemozol::Form_Load() {
    SetTag(QStringLiteral("MemoZol"));
}

bool frmMemozol::Form_KeyDown(int keyCode) {
    // "Ayuda" has no shortcut here, so the window answers F1 itself.
    if (keyCode == kF1KeyCode) {
        mnuAyuda_Click();
        return true;
    }
    return ToolWindow::Form_KeyDown(keyCode);
}

void frmMemozol::mnuAyuda_Click() {
    ShowMessage(QStringLiteral("Muestra el estado de la memoria.\r\n"), MessageIcon::None);
}

}  // namespace minizol
