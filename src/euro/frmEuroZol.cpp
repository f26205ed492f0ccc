#include "euro/frmEuroZol.h"

#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include "common/twips.h"
#include "platform/accessibility.h"
#include "platform/clipboard_routes.h"
#include "platform/fonts.h"
#include "platform/qt_convert.h"

namespace minizol {
namespace {

// What a screen reader hears of each control.
const AccessibleText kAccessibleTexts[] = {
    {"txtResult", Reading::Named, "Pantalla", "Número que se escribe o resultado"},
    {"lblPtas", Reading::ItsText, "Pesetas", "La pantalla en pesetas"},
    {"lblEuros", Reading::ItsText, "Euros", "La pantalla en euros"},
    {"lblOpera", Reading::ItsText, "Sin operación pendiente", "Operación pendiente"},
    {"lblMemo", Reading::Named, "Memoria", "Hay un valor guardado en memoria"},
};

}  // namespace

frmEuroZol::frmEuroZol(Shell& shell)
    : ToolWindow(shell, {ToolId::EuroZol, QStringLiteral("Calculadora"), true, true}),
      engine_(*this) {
    SetClientSize({Px(2820), Px(1365)});
    QWidget* client = centralWidget();
    client->setFont(DialogFont());

    lblPtas_ = new QLabel(client);
    lblPtas_->setObjectName("lblPtas");
    lblPtas_->setGeometry(TwipsRect(480, 120, 2055, 255));

    lblEuros_ = new QLabel(client);
    lblEuros_->setObjectName("lblEuros");
    lblEuros_->setGeometry(TwipsRect(480, 480, 2055, 255));

    txtResult_ = new QLineEdit(client);
    txtResult_->setObjectName("txtResult");
    txtResult_->setGeometry(TwipsRect(480, 840, 2055, 405));
    txtResult_->setFont(NamedFont("Arial", 12, true));
    txtResult_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Out of the focus chain, so the window sees every key and no caret shows; read-only and
    // blind to the mouse, so nothing but the engine changes or selects its text. Unlike a
    // disabled field, a screen reader reads it as an available display.
    txtResult_->setFocusPolicy(Qt::NoFocus);
    txtResult_->setReadOnly(true);
    txtResult_->setAttribute(Qt::WA_TransparentForMouseEvents);

    lblOpera_ = new QLabel(client);
    lblOpera_->setObjectName("lblOpera");
    lblOpera_->setGeometry(TwipsRect(240, 960, 255, 255));
    lblOpera_->setFont(NamedFont("Arial", 12, true));

    lblMemo_ = new QLabel(QStringLiteral("M"), client);
    lblMemo_->setObjectName("lblMemo");
    lblMemo_->setGeometry(TwipsRect(2550, 840, 225, 225));
    lblMemo_->hide();

    NameControls(*this, kAccessibleTexts);
    // Ctrl switches tools, so the display is copied from its right-click menu.
    OfferCopy(
        *client,
        [this] {
            const QString shown = txtResult_->text();
            return shown == FromUtf8(kErrorText) ? QString() : shown;
        },
        txtResult_);
    Form_Load();
}

void frmEuroZol::Form_Load() {
    SetTag(QStringLiteral("EuroZol"));
    ShowDisplay(engine_.Display());  // empty, "0 Ptas.", "0,00 Euros.", no indicators
}

bool frmEuroZol::Form_KeyDown(int keyCode) {
    engine_.KeyDown(keyCode);
    return !isVisible();  // Ctrl has hidden the calculator: the key is spent
}

bool frmEuroZol::Form_KeyPress(int charCode) {
    engine_.KeyPress(charCode);
    return true;  // the display never takes keys itself
}

void frmEuroZol::mnuAyuda_Click() {
    ShowCalculatorHelp();
}

QString frmEuroZol::HelpText() {
    static const QStringList lines = {
        "BOTONES:",
        "<+> Sumar ",
        "<-> Restar",
        "<*> Multiplicar",
        "</> Dividir",
        "",
        "<Space> Signo negativo",
        "<.> <,> Coma",
        "<Esc.> Borrar todo",
        "<Back.> Borrar último dígito",
        "",
        "<P> Convertir a Pesetas",
        "<E> Convertir a Euros",
        "",
        "<Arr.> Sumar a Memoria",
        "<Aba.> Restar a Memoria",
        "<Izq.> Borrar Memoria",
        "<Der.> Mostrar Memoria",
        "",
        "<Ctrl.> Cambiar de Aplicación",
    };
    return lines.join("\r\n");
}

void frmEuroZol::ShowCalculatorHelp() {
    ShowMessage(HelpText(), MessageIcon::None);
}

void frmEuroZol::ShowDisplay(const CalculatorDisplay& display) {
    txtResult_->setText(FromUtf8(display.Text()));
    lblPtas_->setText(FromUtf8(display.Captions().pesetas));
    lblEuros_->setText(FromUtf8(display.Captions().euros));
    lblOpera_->setText(FromUtf8(display.OperatorIndicator()));
    lblMemo_->setVisible(display.MemoryIndicatorVisible());
}

void frmEuroZol::SwitchToNextTool() {
    SwitchTool(*this, 0);
}

void frmEuroZol::ShowHelp() {
    ShowCalculatorHelp();
}

}  // namespace minizol
