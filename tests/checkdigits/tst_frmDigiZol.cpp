#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "checkdigits/frmDigiZol.h"
#include "platform/toolkit_language.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

enum Entry { Typed, TypedWithAlt, Pasted, PastedAtEnd, Clicked };
const char* const kEntryNames[] = {"type", "type with Alt", "paste", "paste at end", "click"};

const QString kCleared =
    "txtDNI=;txtLetra(0)=;txtLetra(1)=;lblDNI=DNI/NIF:;txtCuenta(0)=;txtCuenta(1)=;txtCuenta(2)=;"
    "txtDC=;txtIban=ES00;txtISBN=;txtDigitoISBN=;lblISBN=ISBN:;lblBanco=Banco: ";
// What every test starts from: one entry in each row.
const QString kFilled =
    "txtDNI=B1234567;txtLetra(0)=D;txtLetra(1)=4;txtCuenta(0)=2100;txtCuenta(1)=0418;"
    "txtCuenta(2)=0200051332;txtDC=45;txtIban=ES91;txtISBN=0-306-40615;txtDigitoISBN=2";
const QString kSantander =
    "txtCuenta(0)=0049;txtCuenta(1)=1500;txtCuenta(2)=0512345678;txtDC=01;txtIban=ES70;"
    "lblBanco=Banco santander central hispano";
const QString kCaixa =
    "txtCuenta(0)=2100;txtCuenta(1)=0418;txtCuenta(2)=0200051332;txtDC=45;txtIban=ES91;"
    "lblBanco=Caja de ah. y pensiones de barcelona";
const QString kNoSpanishAccount = "txtCuenta(0)=;txtCuenta(1)=;txtCuenta(2)=;txtDC=;";
const char* const kBothRed = "txtDC;txtIban";

// What entering `text` in `field` (typed over its whole text, or as the answer to the dialog a
// click opens) leaves: "name=text" of fields and labels ("selected" for the focused field's
// selection), the red result boxes, the field with the focus if not `field`. The core suites
// cover the digits themselves: these rows show the window passes the entries and the results.
const struct {
    const char* field;
    Entry how;
    QString text, expected;
    const char* red;
    const char* focus = nullptr;
    QString typedAfter = {};  // then typed into the focused field
} kEntries[] = {
    {"txtDNI", Typed, "y12 .-/ñ34567", "txtDNI=Y1234567;lblDNI=Persona Extranjera;txtLetra(0)=X",
     ""},
    {"txtDNI", Typed, "1234567A", "txtLetra(0)=;txtLetra(1)=", "txtLetra(0);txtLetra(1)"},
    {"txtDNI", TypedWithAlt, "x+1", "txtDNI=X1", ""},
    {"txtDNI", Pasted, "x1234567l y más",
     "txtDNI=X1234567L Y MÁS;txtLetra(0)=", "txtLetra(0);txtLetra(1)"},
    {"txtDNI", Typed, "12345678J0", "txtDNI=12345678J;txtLetra(0)=", "txtLetra(0);txtLetra(1)"},
    {"txtDNI", Pasted, " 12.345.678-z", "txtDNI=12345678Z;txtLetra(0)=Z", ""},
    {"txtDNI", Pasted, "12345678Z\n", "txtDNI=12345678Z;txtLetra(0)=Z", ""},
    {"txtDNI", Pasted, "12345678 z", "txtDNI=12345678Z;txtLetra(0)=Z", ""},
    {"txtDNI", Pasted, "NIF: 12345678/Z", "txtDNI=12345678Z;txtLetra(0)=Z", ""},
    // Numbers as invoices print them: the label and the VAT prefix go, the class rule holds.
    {"txtDNI", Pasted, "C.I.F. B12345674", "txtDNI=B12345674;lblDNI=Sociedad Limitidad", ""},
    {"txtDNI", Pasted, "NIF-IVA: ESB12345674", "txtDNI=B12345674", ""},
    {"txtDNI", Pasted, "ES12345678Z", "txtDNI=12345678Z;lblDNI=Persona Física;txtLetra(0)=Z", ""},
    {"txtDNI", Pasted, "N.I.E.: X-1234567-L", "txtDNI=X1234567L;txtLetra(0)=L", ""},
    {"txtDNI", Typed, "B1234567D", "txtLetra(0)=;txtLetra(1)=", "txtLetra(0);txtLetra(1)"},
    {"txtCuenta(0)", Pasted, "Cuenta: 2100-0418-45-0200051332", kCaixa, "", "txtCuenta(1)"},
    {"txtCuenta(0)", Pasted, "IBAN ES91 2100 0418 4502 0005 1332 BIC CAIXESBBXXX", kCaixa, "",
     "txtCuenta(1)"},
    {"txtCuenta(0)", Pasted, "IBAN ES91 2100 0418 4502 0005 1332 BIC BBVAESMMXXX", kCaixa,
     "txtIban", "txtCuenta(1)"},
    // The account part as its country writes it, and its own check digits.
    {"txtCuenta(0)", Pasted, "ES28 2100 0A18 4502 0005 1332", kNoSpanishAccount, "txtIban"},
    {"txtCuenta(0)", Pasted, "BE41 5390 0754 7035",
     kNoSpanishAccount + "txtIban=BE41;lblBanco=Bélgica: BE41 5390 0754 7035", "txtIban"},
    {"txtCuenta(0)", Typed, "0049a15000512345678", kSantander, "", "txtCuenta(2)"},
    // A printed account typed straight through: the control digits typed are checked.
    {"txtCuenta(0)", Typed, "00491500010512345678", kSantander, "", "txtCuenta(2)"},
    {"txtCuenta(0)", Typed, "00491500990512345678", kSantander, "txtDC", "txtCuenta(2)"},
    {"txtCuenta(0)", Pasted, "ES70 0049 1500 0105 1234 5678", kSantander, "", "txtCuenta(1)"},
    {"txtCuenta(0)", Pasted, "IBAN ES70\u00A00049\u00A01500\u00A00105\u00A01234\u00A05678\r\n",
     kSantander, "", "txtCuenta(1)"},
    {"txtCuenta(0)", Pasted, "0049\t1500\t01\t0512345678\n", kSantander, "", "txtCuenta(1)"},
    // A whole account replaces the row's, wherever the cursor stands.
    {"txtCuenta(1)", Pasted, "0049 1500 01 0512345678", kSantander, "", "txtCuenta(1)"},
    {"txtCuenta(0)", PastedAtEnd, "0049 1500 01 0512345678", kSantander, "", "txtCuenta(1)"},
    {"txtCuenta(2)", PastedAtEnd, "ES70 0049 1500 0105 1234 5678", kSantander, "", "txtCuenta(1)"},
    // Other countries' IBANs stand whole above the emptied Spanish fields.
    {"txtCuenta(0)", Pasted, "DE89 3704 0044 0532 0130 00",
     kNoSpanishAccount + "txtIban=DE89;lblBanco=Alemania: DE89 3704 0044 0532 0130 00", ""},
    {"txtCuenta(2)", Pasted, "PT50 0002 0123 1234 5678 9015 4\n",
     kNoSpanishAccount + "txtIban=PT50;lblBanco=PT50 0002 0123 1234 5678 9015 4", ""},
    {"txtCuenta(1)", Pasted, "DE88 3704 0044 0532 0130 00",
     kNoSpanishAccount + "txtIban=DE89;lblBanco=Alemania: DE88 3704 0044 0532 0130 00", "txtIban"},
    {"txtCuenta(0)", Pasted, "CZ65 0800 0000 1920 0014 5399",
     kNoSpanishAccount + "txtIban=CZ65;lblBanco=CZ65 0800 0000 1920 0014 5399", ""},
    {"txtCuenta(0)", Pasted, "GB82 WEST 1234 5698 7654 32",
     kNoSpanishAccount + "txtIban=GB82;lblBanco=GB82 WEST 1234 5698 7654 32", ""},
    {"txtCuenta(0)", Pasted, "fr00 2100 0418 9902 0005 1332",
     kNoSpanishAccount + "txtIban=FR35;lblBanco=FR00 2100 0418 9902 0005 1332", "txtIban"},
    // Edited, the row is a Spanish account again.
    {"txtCuenta(0)", Pasted, "DE88 3704 0044 0532 0130 00", "txtCuenta(0)=2100;txtIban=ES25", "",
     "txtCuenta(1)", "2100"},
    // Nothing is cut: what cannot be an account is kept whole, and red until Escape.
    {"txtCuenta(0)", Pasted, "2100041845020005133",
     "txtCuenta(0)=2100041845020005133;txtDC=;txtIban=ES00", kBothRed},
    {"txtCuenta(0)", Pasted, "21A0 0418 45 0200051332",
     "txtCuenta(0)=21A0 0418 45 0200051332;txtDC=", kBothRed},
    {"txtCuenta(0)", Pasted, "ABCDEFGHIJKLMNOPQRST", kCleared, "", "txtCuenta(0)", "\x1b"},
    {"txtCuenta(0)", Pasted, "DE88 3704 0044 0532 0130 00", kCleared, "", "txtCuenta(0)", "\x1b"},
    {"txtCuenta(0)", Pasted, QString("1234567890").repeated(1 << 17).left(1 << 20),
     "txtDC=", kBothRed},
    {"txtISBN", Typed, "0-8044a-2957", "txtISBN=0-8044-2957;txtDigitoISBN=X", ""},
    {"txtCuenta(0)", Pasted, "ES00 2100 0418 4502 0005 1332", "txtDC=45;txtIban=ES91", "txtIban",
     "txtCuenta(1)"},
    {"txtCuenta(0)", Pasted, "2100 0418 99 0200051332\n", "txtDC=45", "txtDC", "txtCuenta(1)"},
    {"txtISBN", Pasted, "ISBN-13: 978-0-306-40615-8", "txtISBN=978-0-306-40615-8;txtDigitoISBN=7",
     "txtDigitoISBN"},
    {"txtISBN", Pasted, "isbn-10: 0-8044-2957-x\n", "txtISBN=0-8044-2957-X;txtDigitoISBN=X", ""},
    {"txtISBN", Pasted, "9780306406157 9780306406157",
     "txtISBN=9780306406157 9780306406157;txtDigitoISBN=", "txtDigitoISBN"},
    {"txtISBN", Typed, "0306406153", "txtDigitoISBN=2", "txtDigitoISBN"},
    {"txtDNI", Typed, "\t", "selected=2100", "", "txtCuenta(0)"},
    {"txtCuenta(2)", Typed, "\t", "", "", "txtISBN"},
    {"txtISBN", Typed, "\t", "selected=B1234567", "", "txtDNI"},
    {"txtDNI", Clicked, {}, "selected=B1234567", ""},
    {"txtIban", Clicked, "fr", "txtIban=FR85;selected=2100", "", "txtCuenta(0)"},
    {"txtIban", Clicked, {}, "txtIban=ES91;selected=2100", "", "txtCuenta(0)"},
    // Escape clears every row, from an entry field, a result box or the IBAN box alike.
    {"txtLetra(0)", Typed, "\x1b", kCleared, ""},
    {"txtIban", Typed, "\x1b", kCleared, ""},
    {"txtCuenta(2)", Typed, "\x1b", kCleared, ""},
};

}  // namespace

class DigiZolWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(InstallSpanishTexts(*QCoreApplication::instance())); }

    void init() {
        app_ = std::make_unique<testing::TestShell>();
        window_ = &app_->shell.Show(ToolId::DigiZol);
        QVERIFY(QTest::qWaitForWindowActive(window_));
        Expect(kCleared.chopped(1), "", "txtDNI");  // no blank after "Banco:" yet
        Field("txtDNI").setText("B1234567");
        Field("txtCuenta(0)").setText("21000418450200051332");
        Field("txtISBN").setText("0-306-40615");
        Field("txtISBN").setFocus();
        Expect(kFilled, "", "txtISBN");
    }
    void cleanup() { app_.reset(); }

    void everyEntryShowsItsResult_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kEntries)); ++i) {
            const auto& entry = kEntries[i];
            QString text = entry.text.left(30)
                               .replace('\t', "Tab")
                               .replace('\x1b', "Escape")
                               .replace('\n', "LF")
                               .replace('\r', "CR");
            QTest::addRow("%d %s %s %s", i, kEntryNames[entry.how], entry.field, qPrintable(text))
                << i;
        }
    }
    void everyEntryShowsItsResult() {
        QFETCH(int, row);
        const auto& entry = kEntries[row];
        if (entry.how == Clicked) {
            app_->dialogs.replies << entry.text;
            QTest::mouseClick(&Field(entry.field), Qt::LeftButton);
        } else {
            Field(entry.field).setFocus();
            Field(entry.field).selectAll();
            Enter(entry.text, entry.how);
        }
        Enter(entry.typedAfter, Typed);
        Expect(entry.expected, entry.red, entry.focus != nullptr ? entry.focus : entry.field);
        QVERIFY(app_->dialogs.messages.empty());
        for (const auto& asked : app_->dialogs.inputs) {
            QCOMPARE(asked.prompt + asked.title + asked.defaultText,
                     "Selecciona el código de país:MiniZolES");
        }
    }

    // The fields' menu speaks Spanish and shows no Ctrl shortcut, which would switch tools; its
    // "Pegar" goes through the row like any paste.
    void fieldMenuPastesThroughTheRow() {
        QGuiApplication::clipboard()->setText("DE89 3704 0044 0532 0130 00");
        Field("txtCuenta(2)").setFocus();
        const QStringList entries = ChooseFromMenu(Field("txtCuenta(2)"), "&Pegar\tMayús+Insert");
        QCOMPARE(entries, QStringList({"&Deshacer", "&Rehacer", "", "Cor&tar", "&Copiar",
                                       "&Pegar\tMayús+Insert", "Borrar", "", "Seleccionar todo"}));
        Expect(kNoSpanishAccount + "txtIban=DE89", "", "txtCuenta(2)");
    }

    // A result box copies what it shows, the IBAN box the whole IBAN, and a red one nothing; the
    // focus stays in the field typed in.
    void resultBoxesCopyTheirResult_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("copied");
        QTest::newRow("IBAN") << "txtIban"
                              << ""
                              << "ES9121000418450200051332";
        QTest::newRow("foreign IBAN") << "txtIban"
                                      << "GB82 WEST 1234 5698 7654 32"
                                      << "GB82WEST12345698765432";
        QTest::newRow("wrong foreign IBAN") << "txtIban"
                                            << "DE88 3704 0044 0532 0130 00"
                                            << "";
        QTest::newRow("control digits") << "txtDC"
                                        << ""
                                        << "45";
        QTest::newRow("wrong control digits") << "txtDC"
                                              << "2100 0418 99 0200051332"
                                              << "";
        QTest::newRow("letter") << "txtLetra(0)"
                                << ""
                                << "D";
        QTest::newRow("ISBN") << "txtDigitoISBN"
                              << ""
                              << "2";
    }
    void resultBoxesCopyTheirResult() {
        QFETCH(QString, box);
        QFETCH(QString, pasted);
        QFETCH(QString, copied);
        if (!pasted.isEmpty()) {
            Field("txtCuenta(0)").setFocus();
            Enter(pasted, Pasted);
        }
        QLineEdit* focused = qobject_cast<QLineEdit*>(window_->focusWidget());
        QGuiApplication::clipboard()->setText("antes");
        QCOMPARE(ChooseFromMenu(Field(box), "&Copiar"), QStringList({"&Copiar"}));
        QCOMPARE(QGuiApplication::clipboard()->text(), copied.isEmpty() ? "antes" : copied);
        QCOMPARE(window_->focusWidget(), focused);
    }

    // A red box says what was written and what it should be; the bank label gives its BIC.
    void redBoxesSayWhy_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("why");
        QTest::newRow("IBAN digits") << "txtCuenta(0)"
                                     << "ES91 2100 0418 4502 0005 1333"
                                     << "txtIban"
                                     << "Incorrecto: pone 91; corresponde 64";
        QTest::newRow("control digits") << "txtCuenta(0)"
                                        << "ES91 2100 0418 4502 0005 1333"
                                        << "txtDC"
                                        << "Incorrecto: pone 45; corresponde 41";
        QTest::newRow("DNI letter") << "txtDNI"
                                    << "12345678J"
                                    << "txtLetra(0)"
                                    << "Incorrecto: la letra no corresponde; corresponde la Z";
        QTest::newRow("Belgian digits") << "txtCuenta(0)"
                                        << "BE41 5390 0754 7035"
                                        << "txtIban"
                                        << "Incorrecto: las cifras de control belgas no cuadran";
        QTest::newRow("BIC") << "txtCuenta(0)"
                             << "IBAN ES91 2100 0418 4502 0005 1332 BIC BBVAESMMXXX"
                             << "txtIban"
                             << "Incorrecto: el BIC no es el de la entidad; corresponde CAIXESBB";
    }

    void redBoxesSayWhy() {
        QFETCH(QString, field);
        QFETCH(QString, pasted);
        QFETCH(QString, box);
        QFETCH(QString, why);
        Field(field).clear();
        QApplication::clipboard()->setText(pasted);
        Field(field).setFocus();
        QTest::keySequence(&Field(field), QKeySequence::Paste);
        QCOMPARE(Field(box).toolTip(), why);
        QCOMPARE(Field(box).accessibleDescription(), why);
        // Put right, the box says nothing more.
        Field(field).setFocus();
        QTest::keyClick(&Field(field), Qt::Key_Escape);
        QCOMPARE(Field(box).toolTip(), "");
    }

    void bankLabelGivesTheBic() {
        const auto* label = window_->findChild<QLabel*>("lblBanco");
        QVERIFY(label->toolTip().endsWith("BIC CAIXESBB"));  // 2100, as every test starts
        Field("txtCuenta(0)").setText("1465");
        QCOMPARE(label->text(), "ING Bank");
        QCOMPARE(label->toolTip(), "ING Bank\nBIC INGDESMM");
        Field("txtCuenta(0)").setText("9999");
        QCOMPARE(label->toolTip(), "");
    }

    void f1ShowsTheHelp() {
        QTest::keyClick(&Field("txtCuenta(1)"), Qt::Key_F1);
        QCOMPARE(app_->dialogs.messages.size(), 1u);
        QCOMPARE(app_->dialogs.messages[0].title, "Ayuda");
    }

    // The list checker's entry stands first in the tool's menu, above "Ayuda", and F2 reaches it
    // from a field.
    void listEntryStandsAboveHelpOnF2() {
        QStringList entries;
        for (const QAction* entry : window_->findChild<QMenu*>("mnuOpciones")->actions()) {
            entries << entry->text() + " " + entry->shortcut().toString();
        }
        QCOMPARE(entries, QStringList({"Comprobar una lista... F2", "Ayuda F1", "Acerca de ... "}));
        // Its file dialog would wait for a user: only the choice of the entry is looked at.
        auto* entry = window_->findChild<QAction*>("mnuLista");
        QObject::disconnect(entry, &QAction::triggered, nullptr, nullptr);
        QSignalSpy chosen(entry, &QAction::triggered);
        QTest::keyClick(&Field("txtCuenta(1)"), Qt::Key_F2);
        QCOMPARE(chosen.count(), 1);
        Expect(kFilled, "", "txtISBN");
    }

    // Local files dropped on a field or beside the fields are opened as lists, each in turn, and
    // leave the fields as they were; text dropped on a field is still pasted into it.
    void droppedFilesOpenAsLists() {
        QStringList opened;
        static_cast<frmDigiZol*>(window_)->SetListOpener(
            [&opened](const QString& path) { opened << path; });
        // As a file manager offers them: as addresses, and as text for a text field.
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/tmp/clientes.csv"), QUrl("https://x.example/a.csv"),
                       QUrl::fromLocalFile("/tmp/remesa de junio.xml")});
        files.setText("/tmp/clientes.csv\nhttps://x.example/a.csv\n/tmp/remesa de junio.xml");
        for (QWidget* target :
             {static_cast<QWidget*>(&Field("txtDNI")), window_->centralWidget()}) {
            QVERIFY(Drop(*target, files));
            QTRY_COMPARE(opened, QStringList({"/tmp/clientes.csv", "/tmp/remesa de junio.xml"}));
            Expect(kFilled, "", "txtISBN");
            opened.clear();
        }
        QMimeData text;
        text.setText("12345678z");
        QVERIFY(Drop(Field("txtDNI"), text));
        Expect("txtDNI=12345678Z;txtLetra(0)=Z", "", "txtDNI");
        QCoreApplication::processEvents();
        QCOMPARE(opened, QStringList());
    }

    void stateIsKeptAcrossAToolSwitch() {
        Field("txtCuenta(1)").setFocus();
        QTest::keyClick(&Field("txtCuenta(1)"), Qt::Key_Control, Qt::ControlModifier);
        for (ToolId tool : {ToolId::ReglaZol, ToolId::MemoZol, ToolId::EuroZol}) {
            QTest::keyClick(app_->shell.Existing(tool), Qt::Key_Control, Qt::ControlModifier);
        }
        QVERIFY(window_->isVisible());
        Expect(kFilled, "", "txtCuenta(1)");
    }

  private:
    QLineEdit& Field(const QString& name) const { return *window_->findChild<QLineEdit*>(name); }

    // Opens `control`'s right-click menu and chooses `entry` when it is enabled; returns the
    // menu's entries.
    static QStringList ChooseFromMenu(QWidget& control, const QString& entry) {
        QStringList entries;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            for (QAction* action : menu->actions()) {
                entries << action->text();
                if (action->text() == entry && action->isEnabled()) {
                    action->trigger();
                }
            }
            menu->close();
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, {2, 2},
                                control.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&control, &click);
        return entries;
    }

    // Drags `data` into `target` and drops it there; returns whether the drop was taken, as a
    // copy.
    static bool Drop(QWidget& target, const QMimeData& data) {
        const QPoint at = target.rect().center();
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
        return drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
    }

    // Types into whichever field has the focus at each moment, or pastes there (Shift+Insert:
    // Ctrl alone switches tools).
    static void Enter(const QString& text, Entry how) {
        if (how == Pasted || how == PastedAtEnd) {
            if (how == PastedAtEnd) {
                qobject_cast<QLineEdit*>(QApplication::focusWidget())->end(false);
            }
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert, Qt::ShiftModifier);
            return;
        }
        for (QChar key : text) {
            const Qt::Key code = key < ' ' ? QTest::asciiToKey(key.toLatin1())  // Tab, Escape
                                           : Qt::Key(key.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), code, QString(key),
                                how == TypedWithAlt ? Qt::AltModifier : Qt::NoModifier);
        }
    }

    // Checks "name=text" pairs, which result boxes are red (the others stand in the button face,
    // the IBAN box in the window colour) and which field has the focus.
    void Expect(const QString& expected, const QString& red, const QString& focus) const {
        const auto* focused = qobject_cast<QLineEdit*>(window_->focusWidget());
        QCOMPARE(focused->objectName(), focus);
        for (const QString& pair : expected.split(';', Qt::SkipEmptyParts)) {
            const QString name = pair.section('=', 0, 0);
            const auto* label = window_->findChild<QLabel*>(name);
            QCOMPARE(name + "=" +
                         (name == "selected" ? focused->selectedText()
                          : label != nullptr ? label->text()
                                             : Field(name).text()),
                     pair);
        }
        for (const char* name :
             {"txtLetra(0)", "txtLetra(1)", "txtDigitoISBN", "txtDC", "txtIban"}) {
            const QColor normal = window_->palette().color(
                QString(name) == "txtIban" ? QPalette::Base : QPalette::Button);
            QCOMPARE(Field(name).palette().color(QPalette::Base),
                     red.contains(name) ? QColor(Qt::red) : normal);
        }
        QCOMPARE(Field("txtLetra(1)").isHidden(), Field("txtLetra(1)").text().isEmpty());
    }

    std::unique_ptr<testing::TestShell> app_;
    ToolWindow* window_ = nullptr;
};

}  // namespace minizol

QTEST_MAIN(minizol::DigiZolWindowTest)
#include "tst_frmDigiZol.moc"
