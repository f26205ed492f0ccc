#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

enum Entry { Typed, TypedWithAlt, Pasted, Clicked };
const char* const kEntryNames[] = {"type", "type with Alt", "paste", "click"};

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
     "txtDNI=x1234567l y más;txtLetra(0)=", "txtLetra(0);txtLetra(1)"},
    {"txtDNI", Typed, "12345678J0", "txtDNI=12345678J;txtLetra(0)=", "txtLetra(0);txtLetra(1)"},
    {"txtDNI", Pasted, " 12.345.678-z", "txtDNI=12345678z;txtLetra(0)=Z", ""},
    {"txtCuenta(0)", Typed, "0049a15000512345678", kSantander, "", "txtCuenta(2)"},
    {"txtCuenta(0)", Pasted, "ES70 0049 1500 0105 1234 5678", kSantander, "", "txtCuenta(1)"},
    {"txtCuenta(0)", Pasted, QString("1234567890").repeated(1 << 17).left(1 << 20),
     "txtCuenta(0)=1234;txtCuenta(1)=0418;txtDC=05", "", "txtCuenta(1)"},
    {"txtISBN", Typed, "0-8044a-2957", "txtISBN=0-8044-2957;txtDigitoISBN=X", ""},
    {"txtCuenta(0)", Pasted, "ES00 2100 0418 4502 0005 1332", "txtDC=45;txtIban=ES91", "txtIban",
     "txtCuenta(1)"},
    {"txtCuenta(0)", Pasted, "2100 0418 99 0200051332", "txtDC=45", "txtDC", "txtCuenta(1)"},
    {"txtCuenta(0)", Pasted, "fr00 2100 0418 9902 0005 1332", "txtDC=45;txtIban=FR85", "",
     "txtCuenta(2)", "0418"},
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
            QString text = entry.text.left(30).replace('\t', "Tab").replace('\x1b', "Escape");
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

    void f1ShowsTheHelp() {
        QTest::keyClick(&Field("txtCuenta(1)"), Qt::Key_F1);
        QCOMPARE(app_->dialogs.messages.size(), 1u);
        QCOMPARE(app_->dialogs.messages[0].title, "Ayuda");
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

    // Types into whichever field has the focus at each moment, or pastes there (Shift+Insert:
    // Ctrl alone switches tools).
    static void Enter(const QString& text, Entry how) {
        if (how == Pasted) {
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
