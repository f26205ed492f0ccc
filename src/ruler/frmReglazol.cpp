#include "ruler/frmReglazol.h"

#include <QAction>
#include <QStringList>

#include "shell/twips.h"

namespace minizol {

frmReglazol::frmReglazol(Shell& shell)
    : ToolWindow(shell, {ToolId::ReglaZol, QStringLiteral("Regla"), true, false, true}) {
    auto* mnuTamanyo = new QAction(QStringLiteral("Fijar tamaño"), this);
    mnuTamanyo->setObjectName("mnuTamanyo");
    mnuTamanyo->setShortcut(Qt::Key_F2);
    connect(mnuTamanyo, &QAction::triggered, this, [this] { mnuTamanyo_Click(); });
    InsertOptionsEntry(mnuTamanyo);
    SetClientSize({Px(3300), Px(1800)});
    Form_Load();
}

void frmReglazol::Form_Load() {
    SetTag(QStringLiteral("ReglaZol"));
}

void frmReglazol::mnuTamanyo_Click() {}

QString frmReglazol::HelpText() {
    static const QStringList lines = {
        "BOTONES:", "<RePag> - Transparente",        "<AvPag> + Transparente",
        "",         "<Ctrl.> Cambiar de Aplicación",
    };
    return lines.join("\r\n");
}

void frmReglazol::mnuAyuda_Click() {
    ShowMessage(HelpText(), MessageIcon::None);
}

}  // namespace minizol
