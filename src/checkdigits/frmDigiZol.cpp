#include "checkdigits/frmDigiZol.h"

#include <QStringList>

#include "shell/twips.h"

namespace minizol {

frmDigiZol::frmDigiZol(Shell& shell)
    : ToolWindow(shell, {ToolId::DigiZol, QStringLiteral("Dígito de control"), true, true, true}) {
    SetClientSize({Px(4020), Px(2085)});
    Form_Load();
}

void frmDigiZol::Form_Load() {
    SetTag(QStringLiteral("DigiZol"));
}

QString frmDigiZol::HelpText() {
    static const QStringList lines = {
        "Este programa te permite calcular el dígito de control de:",
        "· DNI, NIF y/o CIF.",
        "· Cuenta Bancaria.",
        "· ISBN (Catalogación de publicaciones impresas).",
        "",
        "Simplemente rellena el campo que te interese y el programa",
        "irá calculando el dígito de control. Si algún dato introducido",
        "no es correcto, el dígito de control lo indicará en rojo.",
        "",
        "Truco: puedes pegar la cuenta bancaria completa en el primer campo.",
        "",
        "Usa <Ctrl.> para cambiar de aplicación.",
    };
    return lines.join("\r\n");
}

void frmDigiZol::mnuAyuda_Click() {
    ShowMessage(HelpText(), MessageIcon::Information, QStringLiteral("Ayuda"));
}

}  // namespace minizol
