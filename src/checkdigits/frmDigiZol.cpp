#include "checkdigits/frmDigiZol.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>
#include <limits>
#include <string>

#include "checkdigits/bank_account.h"
#include "checkdigits/cif.h"
#include "checkdigits/iban.h"
#include "checkdigits/identity.h"
#include "checkdigits/isbn.h"
#include "checkdigits/key_filter.h"
#include "checkdigits/list_window.h"
#include "checkdigits/number_labels.h"
#include "checkdigits/pasted_text.h"
#include "checkdigits/unexpected_failure.h"
#include "checkdigits/verdict_reasons.h"
#include "common/twips.h"
#include "platform/accessibility.h"
#include "platform/clipboard_routes.h"
#include "platform/controls.h"
#include "platform/field_behaviour.h"
#include "platform/file_drops.h"
#include "platform/fonts.h"
#include "platform/qt_convert.h"
#include "shell/shell.h"

namespace minizol {
namespace {

// What a screen reader hears of each control.
const AccessibleText kAccessibleTexts[] = {
    {"lblDNI", Reading::ItsText, "Tipo de documento"},
    {"txtDNI", Reading::Named, "DNI, NIE o CIF"},
    {"txtLetra(0)", Reading::Named, "Letra de control"},
    {"txtLetra(1)", Reading::Named, "Dígito de control (forma numérica)"},
    {"lblBanco", Reading::ItsText, "Banco"},
    {"txtIban", Reading::Named, "IBAN", "Se pulsa para elegir el país"},
    {"txtCuenta(0)", Reading::Named, "Entidad", "También admite la cuenta o el IBAN enteros"},
    {"txtCuenta(1)", Reading::Named, "Oficina", "También admite la cuenta o el IBAN enteros"},
    {"txtDC", Reading::Named, "Dígitos de control"},
    {"txtCuenta(2)", Reading::Named, "Número de cuenta",
     "También admite la cuenta o el IBAN enteros, o los dígitos de control delante"},
    {"lblISBN", Reading::ItsText, "ISBN del libro"},
    {"txtISBN", Reading::Named, "ISBN"},
    {"txtDigitoISBN", Reading::Named, "Dígito de control del ISBN"},
};

std::string TextOf(const QLineEdit& field) {
    return field.text().toStdString();
}

// Result boxes stand in the button-face colour (the IBAN box in the window colour of a field),
// red when their input is wrong.
void SetBoxColour(QLineEdit& box, bool red, const std::string& reason = {},
                  QPalette::ColorRole normal = QPalette::Button) {
    MarkInvalid(box, red, box.parentWidget()->palette().color(normal), FromUtf8(reason));
}

// An input field takes a paste of any length: what is too long for a number shows red.
QLineEdit* NewInputField(QWidget* parent, const char* name, const QRect& geometry,
                         Qt::Alignment alignment) {
    QLineEdit* field = NewLineEdit(parent, name, geometry, alignment);
    field->setMaxLength(std::numeric_limits<int>::max());
    return field;
}

// A read-only box: its right-click menu copies it, and leaves the focus in the field typed in.
QLineEdit* NewResultBox(QWidget* parent, const char* name, const QRect& geometry, bool buttonFace) {
    QLineEdit* box = NewLineEdit(parent, name, geometry, Qt::AlignHCenter);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    if (buttonFace) {
        SetBoxColour(*box, false);
    }
    return box;
}

}  // namespace

frmDigiZol::frmDigiZol(Shell& shell)
    : ToolWindow(shell, {ToolId::DigiZol, QStringLiteral("Dígito de control"), true, true}),
      openList_([this](const QString& path) { OpenListWindow(this, path); }) {
    auto* mnuLista = new QAction(QStringLiteral("Comprobar una lista..."), this);
    mnuLista->setObjectName("mnuLista");
    // F2, the key of the ruler's own entry above "Ayuda". Ctrl alone switches tools, so there
    // is no Ctrl+O; Alt walks the menu bar, and Alt with a letter types it into the fields.
    mnuLista->setShortcut(Qt::Key_F2);
    connect(mnuLista, &QAction::triggered, this, [this] { mnuLista_Click(); });
    InsertOptionsEntry(mnuLista);

    SetClientSize({Px(4020), Px(2085)});
    CreateControls();
    OpenDroppedFiles(*this, [this](const QStringList& paths) { OpenLists(paths); });
    Form_Load();
}

void frmDigiZol::CreateControls() {
    QWidget* client = centralWidget();
    QFont font = NamedFont("MS Sans Serif", 8.25, true);
    font.setStyleHint(QFont::SansSerif);
    client->setFont(font);
    // No field cuts a paste: typing stops at each field's length (TypingLimit), and what is too
    // long to be a right number is kept whole and shown red.
    lblDNI_ = NewLabel(client, "lblDNI", "DNI/NIF:", {Px(180), Px(120)});
    txtDNI_ = NewInputField(client, "txtDNI", TwipsRect(150, 360, 1125, 285), Qt::AlignLeft);
    txtLetra_[0] = NewResultBox(client, "txtLetra(0)", TwipsRect(1380, 360, 315, 285), true);
    txtLetra_[1] = NewResultBox(client, "txtLetra(1)", TwipsRect(1770, 360, 315, 285), true);

    lblBanco_ = NewLabel(client, "lblBanco", "Banco:", {Px(180), Px(750)});
    txtIban_ = NewResultBox(client, "txtIban", TwipsRect(150, 1020, 765, 285), false);
    txtIban_->setMaxLength(static_cast<int>(kEmptyAccountIban.size()));
    txtCuenta_[0] =
        NewInputField(client, "txtCuenta(0)", TwipsRect(1020, 1020, 525, 285), Qt::AlignRight);
    txtCuenta_[1] =
        NewInputField(client, "txtCuenta(1)", TwipsRect(1620, 1020, 525, 285), Qt::AlignRight);
    txtDC_ = NewResultBox(client, "txtDC", TwipsRect(2220, 1020, 345, 285), true);
    txtCuenta_[2] =
        NewInputField(client, "txtCuenta(2)", TwipsRect(2640, 1020, 1215, 285), Qt::AlignRight);

    lblISBN_ = NewLabel(client, "lblISBN", "ISBN:", {Px(180), Px(1410)});
    txtISBN_ = NewInputField(client, "txtISBN", TwipsRect(150, 1650, 2025, 285), Qt::AlignLeft);
    txtDigitoISBN_ = NewResultBox(client, "txtDigitoISBN", TwipsRect(2250, 1650, 315, 285), true);

    FilterKeys();
    OnClick(*txtIban_, [this] { txtIban_Click(); });
    lblDNI_->setBuddy(txtDNI_);
    lblBanco_->setBuddy(txtCuenta_[0]);
    lblISBN_->setBuddy(txtISBN_);
    NameControls(*this, kAccessibleTexts);
    setTabOrder(txtDNI_, txtCuenta_[0]);
    setTabOrder(txtCuenta_[0], txtCuenta_[1]);
    setTabOrder(txtCuenta_[1], txtCuenta_[2]);
    setTabOrder(txtCuenta_[2], txtISBN_);
    RouteClipboard();

    connect(txtDNI_, &QLineEdit::textChanged, this, [this] { txtDNI_Change(); });
    for (int index = 0; index < 3; ++index) {
        connect(txtCuenta_[static_cast<std::size_t>(index)], &QLineEdit::textChanged, this,
                [this, index] { txtCuenta_Change(index); });
    }
    connect(txtISBN_, &QLineEdit::textChanged, this, [this] { txtISBN_Change(); });
    txtDNI_->setFocus();
}

void frmDigiZol::FilterKeys() {
    const struct {
        QLineEdit* field;
        KeyFilterRules keys;
        std::size_t limit;
    } inputs[] = {
        {txtDNI_, kIdentityKeys, kIdentityFieldLength},
        {txtCuenta_[0], kAccountKeys, AccountTypingLimit(0)},
        {txtCuenta_[1], kAccountKeys, AccountTypingLimit(1)},
        {txtCuenta_[2], kAccountKeys, AccountTypingLimit(2)},
        {txtISBN_, kIsbnKeys, kIsbnTypingLimit},
    };
    for (const auto& input : inputs) {
        QLineEdit* field = input.field;
        // Typed characters must all pass the key filter, which sees key presses only.
        field->setAttribute(Qt::WA_InputMethodEnabled, false);
        FilterTyping(*field, input.limit, [keys = input.keys](const QString& typed) {
            QString passed;
            for (char32_t code : typed.toUcs4()) {
                if (const char32_t kept = FilterKey(code, keys); kept != 0) {
                    passed += QString::fromUcs4(&kept, 1);
                }
            }
            return passed;
        });
        if (field != txtISBN_) {
            SelectAllOnFocus(*field);
        }
    }
}

void frmDigiZol::RouteClipboard() {
    for (QLineEdit* field : {txtDNI_, txtCuenta_[0], txtCuenta_[1], txtCuenta_[2], txtISBN_}) {
        RoutePastes(*field, [this, field](const QString& pasted) { PasteInto(*field, pasted); });
    }
    // A red box holds no result worth passing on.
    for (QLineEdit* box : {txtLetra_[0], txtLetra_[1], txtDC_, txtDigitoISBN_}) {
        OfferCopy(*box, [box] { return IsMarkedInvalid(*box) ? QString() : box->text(); });
    }
    // The IBAN box copies the whole IBAN: country, check digits and account.
    OfferCopy(*txtIban_, [this] { return FromUtf8(wholeIban_); });
}

void frmDigiZol::Form_Load() {
    SetTag(QStringLiteral("DigiZol"));
    // Emptying an empty field raises no change, but every row must have been computed once.
    txtDNI_->clear();
    txtDNI_Change();
    for (QLineEdit* box : txtLetra_) {
        box->clear();
    }
    for (int index = 0; index < 3; ++index) {
        txtCuenta_[static_cast<std::size_t>(index)]->clear();
        txtCuenta_Change(index);
    }
    txtIban_->setText(FromUtf8(kEmptyAccountIban));
    txtDC_->clear();
    SetCaption(*lblBanco_, QStringLiteral("Banco:"));
    txtISBN_->clear();
    txtISBN_Change();
    txtDigitoISBN_->clear();
}

void frmDigiZol::ClearInputFields() {
    whole_.reset();
    SetFieldText(*txtDNI_, {});
    for (QLineEdit* field : txtCuenta_) {
        SetFieldText(*field, {});
    }
    txtIban_->setText(FromUtf8(kEmptyAccountIban));
    SetFieldText(*txtISBN_, {});
    // A foreign IBAN leaves the fields empty: clearing them changes nothing, and its red stays
    // unless the row is shown afresh.
    UpdateBankAccount();
}

bool frmDigiZol::Form_KeyPress(int charCode) {
    if (charCode != static_cast<int>(kEscapeKey)) {
        return false;
    }
    ClearInputFields();
    // Used up: no field has a use for Escape, and an unused key would come back to this window
    // once for every parent it travels through.
    return true;
}

void frmDigiZol::txtDNI_Change() {
    txtLetra_[1]->hide();
    IdentityDisplay display;
    display.caption = kNoEntityCaption;
    try {
        const std::string text = TextOf(*txtDNI_);
        if (const std::string cleaned = IdentityFieldText(text); cleaned != text) {
            txtDNI_->setText(FromUtf8(cleaned));  // a pasted number: this runs again for it
            return;
        }
        display = DisplayIdentityField(text);
    } catch (const std::exception& failure) {
        ShowUnexpectedFailure(failure);
    }
    for (QLineEdit* box : txtLetra_) {
        SetBoxColour(*box, display.red, display.reason);
    }
    txtLetra_[0]->setText(FromUtf8(display.letter));
    txtLetra_[1]->setText(FromUtf8(display.digit));
    txtLetra_[1]->setVisible(!display.digit.empty());
    SetCaption(*lblDNI_, FromUtf8(display.caption));
}

void frmDigiZol::txtCuenta_Change(int index) {
    QLineEdit& field = *txtCuenta_[static_cast<std::size_t>(index)];
    try {
        const AccountFieldEntry entry = ReadAccountField(index, TextOf(field), AccountFields());
        if (entry.whole) {
            BringWholeAccount(*entry.whole, index == 2);
            return;
        }
        SetFieldText(field, FromUtf8(entry.text));
    } catch (const std::exception& failure) {
        ShowUnexpectedFailure(failure);
    }
    UpdateBankAccount();
    if (AccountFieldComplete(index, TextOf(field))) {
        txtCuenta_[static_cast<std::size_t>(index) + 1]->setFocus();
    }
}

void frmDigiZol::BringWholeAccount(const WholeAccount& whole, bool typedThrough) {
    const BankFields fields = whole.fields.value_or(BankFields{});
    {
        // Set as one: the row is shown once, for the account that came, not for half of it.
        const QSignalBlocker blockers[] = {QSignalBlocker(txtCuenta_[0]),
                                           QSignalBlocker(txtCuenta_[1]),
                                           QSignalBlocker(txtCuenta_[2])};
        txtCuenta_[0]->setText(FromUtf8(fields.bank));
        txtCuenta_[1]->setText(FromUtf8(fields.office));
        txtCuenta_[2]->setText(FromUtf8(fields.account));
    }
    whole_ = whole;
    UpdateBankAccount();
    // Typed straight through, the account number field keeps the focus; otherwise a Spanish
    // account leaves it in the office field, as when its bank code is typed.
    if (whole.fields && !typedThrough) {
        txtCuenta_[1]->setFocus();
    }
}

void frmDigiZol::PasteInto(QLineEdit& field, const QString& pasted) {
    std::string text = TidyPastedText(pasted.toStdString());
    if (AccountFieldIndex(&field) >= 0) {
        // A whole account replaces the row's, wherever the cursor stands: never merged.
        if (const std::optional<WholeAccount> whole = ReadWholeAccount(text)) {
            BringWholeAccount(*whole, false);
            return;
        }
    } else {
        // The row's own label goes; any other text lands whole, to show red.
        const LabelledNumber labelled = ReadLabelledNumber(text);
        const NumberLabel own = &field == txtISBN_ ? NumberLabel::Isbn : NumberLabel::Identity;
        if (labelled.label == own) {
            text = std::string(labelled.number);
        }
    }
    field.insert(FromUtf8(text));
}

BankFields frmDigiZol::AccountFields() const {
    return {TextOf(*txtCuenta_[0]), TextOf(*txtCuenta_[1]), TextOf(*txtCuenta_[2])};
}

int frmDigiZol::AccountFieldIndex(const QLineEdit* field) const {
    for (int index = 0; index < 3; ++index) {
        if (field == txtCuenta_[static_cast<std::size_t>(index)]) {
            return index;
        }
    }
    return -1;
}

void frmDigiZol::UpdateBankAccount() {
    try {
        const BankFields fields = AccountFields();
        if (whole_ && !FieldsHoldWhole(fields, *whole_)) {
            if (!whole_->fields) {
                // Back from a foreign IBAN to a Spanish account.
                txtIban_->setText(FromUtf8(kEmptyAccountIban));
            }
            whole_.reset();  // edited: even typed back, the number is now the user's
        }
        const BankRow row =
            minizol::UpdateBankAccount(fields, TextOf(*txtIban_), whole_ ? &*whole_ : nullptr);
        txtDC_->setText(FromUtf8(row.control));
        txtIban_->setText(FromUtf8(row.iban));
        SetBoxColour(*txtDC_, row.controlRed, row.controlReason);
        SetBoxColour(*txtIban_, row.ibanRed, row.ibanReason, QPalette::Base);
        // A foreign IBAN shows whole, with its country's name where that fits the window.
        SetFittingCaption(*lblBanco_, {FromUtf8(row.bankCaption), FromUtf8(row.shortCaption)});
        // The bank's BIC, for a transfer form, is a hover (or a screen reader's question) away.
        const QString bic =
            row.bic.empty() ? QString() : QStringLiteral("BIC ") + FromUtf8(row.bic);
        if (!bic.isEmpty()) {
            lblBanco_->setToolTip(FromUtf8(row.bankCaption) + QStringLiteral("\n") + bic);
        }
        Describe(*lblBanco_, bic);
        wholeIban_ = row.wholeIban;
    } catch (const std::exception& failure) {
        ShowUnexpectedFailure(failure);
    }
}

void frmDigiZol::txtIban_Click() {
    const std::optional<QString> answer =
        shell().dialogs().Input(this, QStringLiteral("Selecciona el código de país:"),
                                kApplicationTitle, txtIban_->text().left(2));
    // The core upper-cases the answer, by the same rule as every other answer.
    const std::string country = ValidCountryCode(answer.value_or(QString()).toStdString());
    txtIban_->setText(FromUtf8(country) + QStringLiteral("00"));
    whole_.reset();  // another country: the IBAN brought is no longer the one shown
    txtCuenta_[0]->setFocus();
    txtCuenta_[0]->selectAll();  // also when the focus only comes back with the window
    UpdateBankAccount();
}

void frmDigiZol::txtISBN_Change() {
    const std::string text = TextOf(*txtISBN_);
    if (const std::string tidy = TidyPastedText(text); tidy != text) {
        txtISBN_->setText(FromUtf8(tidy));  // a paste with white space or lower case: runs again
        return;
    }
    const IsbnResult result = IsbnCheckDigit(text);
    SetBoxColour(*txtDigitoISBN_, result.red, IsbnRowReason(result));
    txtDigitoISBN_->setText(FromUtf8(result.checkDigit));
}

void frmDigiZol::ShowUnexpectedFailure(const std::exception& failure) {
    ShowMessage(FromUtf8(UnexpectedFailureText(failure)), MessageIcon::Exclamation);
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
        "Si escribes o pegas el número completo, con su dígito de control,",
        "el programa lo comprueba: DNI con letra, IBAN, ISBN de 10 o 13 cifras.",
        "El IBAN de otro país se comprueba igual y se muestra entero sobre la cuenta.",
        "Si un recuadro sale en rojo, deja el ratón encima y te dirá por qué.",
        "Con el ratón sobre el nombre del banco verás su BIC.",
        "",
        "Truco: puedes pegar la cuenta bancaria o el IBAN completos en cualquiera",
        "de los campos de la cuenta. Los números se pegan también como vienen en",
        "las facturas («C.I.F.: B-12345674», «Nº de cuenta: ES91 ...», «IBAN ... BIC ...»).",
        "Para pegar usa Mayús+Insert o el botón derecho",
        "del ratón; con el botón derecho también copias los resultados.",
        "",
        "Para comprobar una lista entera (CSV, texto, Excel, LibreOffice o una",
        "remesa SEPA), elige «Comprobar una lista...» (F2), arrastra el archivo",
        "a esta ventana o ábrelo con MiniZol (minizol FICHERO).",
        "",
        "Usa <Ctrl.> para cambiar de aplicación.",
    };
    return lines.join("\r\n");
}

void frmDigiZol::mnuLista_Click() {
    if (const QString path = AskForList(this); !path.isEmpty()) {
        openList_(path);
    }
}

void frmDigiZol::OpenLists(const QStringList& paths) {
    for (const QString& path : paths) {
        openList_(path);
    }
}

void frmDigiZol::mnuAyuda_Click() {
    ShowMessage(HelpText(), MessageIcon::Information, QStringLiteral("Ayuda"));
}

}  // namespace minizol
