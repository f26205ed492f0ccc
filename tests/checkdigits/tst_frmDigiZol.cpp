#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "shell/shell.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

enum Entry { Typed, TypedWithAlt, Pasted, PastedMegabyte };

const char* const kCaixa =
    "txtCuenta(0)=2100;txtCuenta(1)=0418;txtCuenta(2)=0200051332;txtDC=45;"
    "lblBanco=Caja de ah. y pensiones de barcelona";
const char* const kEmpty =
    "txtDNI=;txtLetra(0)=;txtLetra(1)=;lblDNI=DNI/NIF:;txtCuenta(0)=;txtCuenta(1)=;txtCuenta(2)=;"
    "txtDC=;txtIban=ES00;txtISBN=;txtDigitoISBN=;lblISBN=ISBN:";

// What entering `text` into `field` leaves: "name=text" of fields and labels, the red result
// boxes, the field with the focus.
struct EntryRow {
    const char* name;
    const char* field;
    Entry how;
    QString text;
    QString expected;
    const char* red;
    const char* focus;
};

const EntryRow kEntryRows[] = {
    {"dni", "txtDNI", Typed, "12345678", "lblDNI=Persona Física;txtLetra(0)=Z", "", "txtDNI"},
    {"wrong letter", "txtDNI", Typed, "1234567A",
     "lblDNI=Persona Física;txtLetra(0)=", "txtLetra(0);txtLetra(1)", "txtDNI"},
    {"foreign, upper-cased", "txtDNI", Typed, "y1234567",
     "txtDNI=Y1234567;txtLetra(0)=X;lblDNI=Persona Extranjera", "", "txtDNI"},
    {"company, both forms", "txtDNI", Typed, "b1234567",
     "txtLetra(0)=D;txtLetra(1)=4;lblDNI=Sociedad Limitidad", "", "txtDNI"},
    {"symbols dropped", "txtDNI", Typed, "12 .-/ñ345678", "txtDNI=12345678;txtLetra(0)=Z", "",
     "txtDNI"},
    {"typed with Alt", "txtDNI", TypedWithAlt, "x+1", "txtDNI=X1", "", "txtDNI"},
    {"pasted, not filtered", "txtDNI", Pasted, "x1234567l y más", "txtDNI=x1234567;txtLetra(0)=L",
     "", "txtDNI"},
    {"identity megabyte", "txtDNI", PastedMegabyte, "1234567890", "txtDNI=12345678;txtLetra(0)=Z",
     "", "txtDNI"},
    {"typed account", "txtCuenta(0)", Typed, "210004180200051332",
     QString(kCaixa) + ";txtIban=ES91", "", "txtCuenta(2)"},
    {"short bank", "txtCuenta(0)", Typed, "4a9",
     "txtCuenta(0)=49;txtDC=00;txtIban=ES21;lblBanco=Banco santander central hispano", "",
     "txtCuenta(0)"},
    {"account only", "txtCuenta(2)", Typed, "1", "txtDC=05;txtIban=ES36;lblBanco=Banco: ", "",
     "txtCuenta(2)"},
    {"pasted iban", "txtCuenta(0)", Pasted, "ES91 2100 0418 4502 0005 1332", kCaixa, "",
     "txtCuenta(1)"},
    {"pasted, all separators", "txtCuenta(0)", Pasted, "2100 0418.45-020005/13_32", kCaixa, "",
     "txtCuenta(1)"},
    {"pasted, bank short", "txtCuenta(0)", Pasted, "21a0 0418 45 0200051332",
     "txtCuenta(0)=210;txtCuenta(1)=0418;txtDC=15", "", "txtCuenta(2)"},
    {"bank megabyte", "txtCuenta(0)", PastedMegabyte, "1234567890",
     "txtCuenta(0)=1234;txtDC=20;txtIban=ES02", "", "txtCuenta(1)"},
    {"bank megabyte, letters", "txtCuenta(0)", PastedMegabyte, "abc ",
     QString(kEmpty) + ";lblBanco=Banco: ", "", "txtCuenta(0)"},
    {"isbn ending in X", "txtISBN", Typed, "0-8044-2957", "txtDigitoISBN=X", "", "txtISBN"},
    {"isbn short, letters dropped", "txtISBN", Typed, "0-306a-4061",
     "txtISBN=0-306-4061;txtDigitoISBN=", "", "txtISBN"},
    {"isbn ten digits", "txtISBN", Typed, "0306406152", "txtDigitoISBN=", "txtDigitoISBN",
     "txtISBN"},
    {"isbn megabyte", "txtISBN", PastedMegabyte, "1234567890", "txtISBN=12345678901234567890",
     "txtDigitoISBN", "txtISBN"},
};

// Enters text into whichever field has the focus at each moment, as the keyboard or a paste
// would (Shift+Insert: Ctrl+V is out of reach, since Ctrl alone switches tools).
void Enter(const QString& text, Entry how) {
    if (how == Pasted || how == PastedMegabyte) {
        const QString megabyte = text.repeated((1 << 20) / text.size() + 1).left(1 << 20);
        QGuiApplication::clipboard()->setText(how == Pasted ? text : megabyte);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert, Qt::ShiftModifier);
        return;
    }
    for (QChar key : text) {
        const Qt::KeyboardModifiers held = how == TypedWithAlt ? Qt::AltModifier : Qt::NoModifier;
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(),
                            static_cast<Qt::Key>(key.toUpper().unicode()), QString(key), held);
    }
}

}  // namespace

class DigiZolWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        app_ = std::make_unique<testing::TestShell>();
        window_ = &app_->shell.Show(ToolId::DigiZol);
        QVERIFY(QTest::qWaitForWindowActive(window_));
    }
    void cleanup() { app_.reset(); }

    void startsEmptyWithTheFocusInTheIdentityField() {
        Expect(QString(kEmpty) + ";lblBanco=Banco:", "", "txtDNI");
    }

    void everyEntryRecomputesItsRow_data() {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < std::size(kEntryRows); ++i) {
            QTest::newRow(kEntryRows[i].name) << static_cast<int>(i);
        }
    }

    void everyEntryRecomputesItsRow() {
        QFETCH(int, row);
        const EntryRow& r = kEntryRows[row];
        Field(r.field).setFocus();
        Enter(r.text, r.how);
        Expect(r.expected, r.red, r.focus);
        QVERIFY(app_->dialogs.messages.empty());
    }

    void escapeClearsTheFieldsFromAnyField_data() {
        QTest::addColumn<QString>("focus");
        for (const char* name : {"txtDNI", "txtLetra(0)", "txtIban", "txtCuenta(0)", "txtCuenta(1)",
                                 "txtDC", "txtCuenta(2)", "txtISBN", "txtDigitoISBN"}) {
            QTest::newRow(name) << QString(name);
        }
    }

    void escapeClearsTheFieldsFromAnyField() {
        Field("txtDNI").setText("B1234567");
        Field("txtCuenta(0)").setText("2100 0418 45 0200051332");
        Field("txtISBN").setText("0306406152");
        app_->dialogs.replies << "FR";
        QTest::mouseClick(&Field("txtIban"), Qt::LeftButton);
        Expect("txtIban=FR85;txtLetra(1)=4", "txtDigitoISBN", "txtCuenta(0)");
        QFETCH(QString, focus);
        Field(focus).setFocus();
        for (int press = 0; press < 2; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            Expect(QString(kEmpty) + ";lblBanco=Banco: ", "", focus);
        }
    }

    void countryIsChosenOnAClick_data() {
        QTest::addColumn<QString>("answer");  // a null answer cancels
        QTest::addColumn<QString>("iban");
        QTest::newRow("lower case") << "fr"
                                    << "FR85";
        QTest::newRow("upper case") << "DE"
                                    << "DE45";
        for (const char* refused : {"ESP", "E", "F1", "Ñ", ""}) {
            QTest::newRow(refused) << refused << "ES91";
        }
        QTest::newRow("cancelled") << QString() << "ES91";
    }

    void countryIsChosenOnAClick() {
        Field("txtCuenta(0)").setText("21000418450200051332");
        Field("txtISBN").setFocus();
        QFETCH(QString, answer);
        app_->dialogs.replies << answer;
        QTest::mouseClick(&Field("txtIban"), Qt::LeftButton);
        QCOMPARE(app_->dialogs.inputs.size(), std::size_t{1});
        QCOMPARE(app_->dialogs.inputs[0].prompt, QString("Selecciona el código de país:"));
        QCOMPARE(app_->dialogs.inputs[0].title, QString("MiniZol"));
        QCOMPARE(app_->dialogs.inputs[0].defaultText, QString("ES"));
        QFETCH(QString, iban);
        Expect("txtIban=" + iban, "", "txtCuenta(0)");
        QCOMPARE(Field("txtCuenta(0)").selectedText(), QString("2100"));

        // The code chosen stays, and is the next default, until the account is emptied.
        Field("txtCuenta(2)").setText("1");
        QTest::mouseClick(&Field("txtIban"), Qt::LeftButton);
        QCOMPARE(app_->dialogs.inputs[1].defaultText, iban.left(2));
        for (const char* name : {"txtCuenta(0)", "txtCuenta(1)", "txtCuenta(2)"}) {
            Field(name).clear();
        }
        Expect("txtIban=ES00;txtDC=", "", "txtCuenta(0)");
    }

    void tabVisitsTheInputFieldsAndFocusSelectsTheirText() {
        QStringList visited;
        for (int press = 0; press < 5; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited,
                 QString("txtCuenta(0) txtCuenta(1) txtCuenta(2) txtISBN txtDNI").split(' '));
        for (const char* name : {"txtDNI", "txtCuenta(0)", "txtCuenta(1)", "txtCuenta(2)"}) {
            Field("txtISBN").setFocus();
            Field(name).setText("123");
            QTest::mouseClick(&Field(name), Qt::LeftButton);
            QCOMPARE(Field(name).selectedText(), QString("123"));
        }
        Field("txtCuenta(0)").setFocus();
        Enter("4321", Typed);  // a complete bank code hands on the focus with the office selected
        QCOMPARE(Field("txtCuenta(1)").selectedText(), QString("123"));
    }

    void f1ShowsTheHelp() {
        QTest::keyClick(&Field("txtCuenta(1)"), Qt::Key_F1);
        QCOMPARE(app_->dialogs.messages.size(), std::size_t{1});
        QCOMPARE(app_->dialogs.messages[0].title, QString("Ayuda"));
        QCOMPARE(app_->dialogs.messages[0].icon, MessageIcon::Information);
        QCOMPARE(app_->dialogs.messages[0].text.split("\r\n").value(2),
                 QString("· Cuenta Bancaria."));
    }

    void stateIsKeptAcrossAToolSwitch() {
        Enter("b1234567", Typed);
        Field("txtCuenta(0)").setText("21000418450200051332");
        QTest::keyClick(&Field("txtCuenta(1)"), Qt::Key_Control, Qt::ControlModifier);
        for (ToolId tool : {ToolId::ReglaZol, ToolId::MemoZol, ToolId::EuroZol}) {
            QVERIFY(!window_->isVisible());
            QTest::keyClick(app_->shell.Existing(tool), Qt::Key_Control, Qt::ControlModifier);
        }
        QVERIFY(window_->isVisible());
        Expect(QString(kCaixa) + ";txtDNI=B1234567;txtLetra(1)=4;txtIban=ES91", "", "txtCuenta(1)");
    }

  private:
    QLineEdit& Field(const QString& name) const {
        auto* field = window_->findChild<QLineEdit*>(name);
        if (field == nullptr) {
            qFatal("no field %s", qPrintable(name));
        }
        return *field;
    }

    // Checks "name=text" pairs of fields and labels, which result boxes are red (the others
    // stand in the button face) and which field of the window has the focus.
    void Expect(const QString& expected, const QString& red, const QString& focus) const {
        for (const QString& pair : expected.split(';')) {
            const QString name = pair.section('=', 0, 0);
            const auto* label = window_->findChild<QLabel*>(name);
            QCOMPARE(name + "=" + (label != nullptr ? label->text() : Field(name).text()), pair);
        }
        for (const char* name : {"txtLetra(0)", "txtLetra(1)", "txtDigitoISBN", "txtDC"}) {
            const QPalette& colours = Field(name).palette();
            QVERIFY2(colours.color(QPalette::Base) == (red.split(';').contains(name)
                                                           ? QColor(255, 0, 0)
                                                           : colours.color(QPalette::Button)),
                     name);
        }
        QCOMPARE(Field("txtLetra(1)").isHidden(), Field("txtLetra(1)").text().isEmpty());
        QVERIFY(window_->focusWidget() != nullptr);
        QCOMPARE(window_->focusWidget()->objectName(), focus);
    }

    std::unique_ptr<testing::TestShell> app_;
    ToolWindow* window_ = nullptr;
};

}  // namespace minizol

QTEST_MAIN(minizol::DigiZolWindowTest)
#include "tst_frmDigiZol.moc"
