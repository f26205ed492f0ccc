#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "shell/shell.h"
#include "shell/tool_window.h"
#include "shell/tool_windows.h"
#include "support/recording_dialogs.h"

namespace minizol {
namespace {

const QString kCaixa = QStringLiteral("Caja de ah. y pensiones de barcelona");
const QStringList kInputFields = {"txtDNI", "txtCuenta(0)", "txtCuenta(1)", "txtCuenta(2)",
                                  "txtISBN"};

ToolWindow* VisibleTool(const Shell& shell) {
    for (ToolId tool : kAllTools) {
        if (shell.Existing(tool) != nullptr && shell.Existing(tool)->isVisible()) {
            return shell.Existing(tool);
        }
    }
    return nullptr;
}

QString FocusName() {
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QString();
}

// Types one character as its key would, non-ASCII letters such as "ñ" included.
void TypeKey(QWidget* widget, QChar key) {
    if (key.unicode() < 0x80) {
        QTest::keyClick(widget, key.toLatin1());
    } else {
        QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(key.toUpper().unicode()),
                            QString(key), Qt::NoModifier);
    }
}

void Type(QWidget* widget, const QString& keys) {
    for (QChar key : keys) {
        TypeKey(widget, key);
    }
}

// Types each character into whichever field has the focus at that moment.
void TypeIntoFocus(const QString& keys) {
    for (QChar key : keys) {
        TypeKey(QApplication::focusWidget(), key);
    }
}

void Paste(QLineEdit& field, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    field.setFocus();
    // Shift+Insert: Ctrl+V is out of reach, since Ctrl alone switches tools.
    QTest::keyClick(&field, Qt::Key_Insert, Qt::ShiftModifier);
}

bool IsRed(const QLineEdit& box) {
    return box.palette().color(QPalette::Base) == QColor(255, 0, 0);
}

bool HasButtonFace(const QLineEdit& box) {
    return box.palette().color(QPalette::Base) == box.palette().color(QPalette::Button);
}

}  // namespace

class DigiZolWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        dialogs_ = std::make_unique<testing::RecordingDialogs>();
        shell_ = std::make_unique<Shell>(*dialogs_, [] {});
        RegisterToolWindows(*shell_);
        window_ = &shell_->Show(ToolId::DigiZol);
        QVERIFY(QTest::qWaitForWindowActive(window_));
    }
    void cleanup() {
        shell_.reset();
        window_ = nullptr;
    }

    void loadShowsEmptyRowsWithTheFocusInTheIdentityField() {
        QCOMPARE(window_->Tag(), QString("DigiZol"));
        for (const QString& name : kInputFields) {
            QVERIFY2(Field(name).text().isEmpty(), qPrintable(name));
        }
        QCOMPARE(Field("txtIban").text(), QString("ES00"));
        for (const char* name : {"txtLetra(0)", "txtLetra(1)", "txtDC", "txtDigitoISBN"}) {
            QVERIFY2(Field(name).text().isEmpty(), name);
            QVERIFY2(HasButtonFace(Field(name)), name);
        }
        QVERIFY(Field("txtLetra(1)").isHidden());
        QCOMPARE(Caption("lblDNI"), QString("DNI/NIF:"));
        QCOMPARE(Caption("lblBanco"), QString("Banco:"));
        QCOMPARE(Caption("lblISBN"), QString("ISBN:"));
        QCOMPARE(FocusName(), QString("txtDNI"));
    }

    void identityRow_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("digit");
        QTest::addColumn<bool>("red");
        const QString person = "Persona Física";
        const QString foreign = "Persona Extranjera";
        QTest::newRow("dni") << "12345678"
                             << "12345678" << person << "Z"
                             << "" << false;
        QTest::newRow("zero-filled") << "7"
                                     << "7" << person << "F"
                                     << "" << false;
        QTest::newRow("typed letter right") << "1234567L"
                                            << "1234567L" << person << "L"
                                            << "" << false;
        QTest::newRow("typed letter wrong") << "1234567A"
                                            << "1234567A" << person << ""
                                            << "" << true;
        QTest::newRow("lower case upper-cased") << "x1234567"
                                                << "X1234567" << foreign << "L"
                                                << "" << false;
        QTest::newRow("nie Y") << "y1234567"
                               << "Y1234567" << foreign << "X"
                               << "" << false;
        QTest::newRow("nie Z") << "Z1234567"
                               << "Z1234567" << foreign << "R"
                               << "" << false;
        QTest::newRow("cif both forms") << "b1234567"
                                        << "B1234567"
                                        << "Sociedad Limitidad"
                                        << "D"
                                        << "4" << false;
        QTest::newRow("cif ten is J and 0") << "A0"
                                            << "A0"
                                            << "Sociedad Anónima"
                                            << "J"
                                            << "0" << false;
        QTest::newRow("cif letter form only") << "P1234567"
                                              << "P1234567"
                                              << "Corporación Local"
                                              << "D"
                                              << "" << false;
        QTest::newRow("cif typed letter right") << "A123456F"
                                                << "A123456F"
                                                << "Sociedad Anónima"
                                                << "F"
                                                << "6" << false;
        QTest::newRow("cif typed letter wrong") << "A123456A"
                                                << "A123456A"
                                                << "Sociedad Anónima"
                                                << ""
                                                << "" << true;
        QTest::newRow("no entity text") << "J1234567"
                                        << "J1234567"
                                        << "DNI/NIF:"
                                        << "D"
                                        << "4" << false;
        QTest::newRow("refused leader") << "I123"
                                        << "I123"
                                        << "DNI/NIF:"
                                        << ""
                                        << "" << true;
        QTest::newRow("letter alone") << "X"
                                      << "X" << foreign << ""
                                      << "" << true;
        QTest::newRow("letter inside") << "12A45"
                                       << "12A45" << person << ""
                                       << "" << true;
        QTest::newRow("symbols dropped") << "12 .-/ñ34"
                                         << "1234" << person << "S"
                                         << "" << false;
        QTest::newRow("eight at most") << "123456789"
                                       << "12345678" << person << "Z"
                                       << "" << false;
    }

    void identityRow() {
        QFETCH(QString, typed);
        Type(&Field("txtDNI"), typed);
        QTEST(Field("txtDNI").text(), "field");
        QTEST(Caption("lblDNI"), "caption");
        QTEST(Field("txtLetra(0)").text(), "letter");
        QFETCH(QString, digit);
        QCOMPARE(Field("txtLetra(1)").text(), digit);
        QCOMPARE(Field("txtLetra(1)").isHidden(), digit.isEmpty());
        QFETCH(bool, red);
        for (const char* box : {"txtLetra(0)", "txtLetra(1)"}) {
            QCOMPARE(IsRed(Field(box)), red);
            QCOMPARE(HasButtonFace(Field(box)), !red);
        }
    }

    void accountRow_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("iban");
        QTest::addColumn<QString>("focus");
        QTest::newRow("typed through the three fields")
            << 0 << "210004180200051332" << QStringList{"2100", "0418", "0200051332"} << "45"
            << kCaixa << "ES91"
            << "txtCuenta(2)";
        QTest::newRow("short bank code") << 0 << "49" << QStringList{"49", "", ""} << "00"
                                         << "Banco santander central hispano"
                                         << "ES21"
                                         << "txtCuenta(0)";
        QTest::newRow("unknown bank") << 0 << "9999" << QStringList{"9999", "", ""} << "10"
                                      << "Banco: "
                                      << "ES38"
                                      << "txtCuenta(1)";
        QTest::newRow("letters and symbols dropped")
            << 0 << "2a1-0 0" << QStringList{"2100", "", ""} << "60" << kCaixa << "ES25"
            << "txtCuenta(1)";
        QTest::newRow("account number only") << 2 << "1" << QStringList{"", "", "1"} << "05"
                                             << "Banco: "
                                             << "ES36"
                                             << "txtCuenta(2)";
        QTest::newRow("office and account")
            << 1 << "04180200051332" << QStringList{"", "0418", "0200051332"} << "95"
            << "Banco: "
            << "ES21"
            << "txtCuenta(2)";
        QTest::newRow("account at most ten digits")
            << 2 << "123456789012" << QStringList{"", "", "1234567890"} << "06"
            << "Banco: "
            << "ES44"
            << "txtCuenta(2)";
    }

    void accountRow() {
        QFETCH(int, start);
        QFETCH(QString, typed);
        Account(start).setFocus();
        TypeIntoFocus(typed);
        QFETCH(QStringList, fields);
        for (int index = 0; index < 3; ++index) {
            QCOMPARE(Account(index).text(), fields[index]);
        }
        QTEST(Field("txtDC").text(), "control");
        QTEST(Caption("lblBanco"), "caption");
        QTEST(Field("txtIban").text(), "iban");
        QTEST(FocusName(), "focus");
        QVERIFY(HasButtonFace(Field("txtDC")));
    }

    void isbnRow_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("digit");
        QTest::addColumn<bool>("red");
        QTest::newRow("hyphenated") << "0-306-40615"
                                    << "0-306-40615"
                                    << "2" << false;
        QTest::newRow("digits only") << "030640615"
                                     << "030640615"
                                     << "2" << false;
        QTest::newRow("check digit X") << "0-8044-2957"
                                       << "0-8044-2957"
                                       << "X" << false;
        QTest::newRow("eight digits") << "0-306-4061"
                                      << "0-306-4061"
                                      << "" << false;
        QTest::newRow("ten digits") << "0306406152"
                                    << "0306406152"
                                    << "" << true;
        QTest::newRow("letters and blanks dropped") << "0-306a-40615 b"
                                                    << "0-306-40615"
                                                    << "2" << false;
        QTest::newRow("twenty characters at most") << "----------------------"
                                                   << "--------------------"
                                                   << "" << false;
    }

    void isbnRow() {
        QFETCH(QString, typed);
        Type(&Field("txtISBN"), typed);
        QTEST(Field("txtISBN").text(), "field");
        QTEST(Field("txtDigitoISBN").text(), "digit");
        QFETCH(bool, red);
        QCOMPARE(IsRed(Field("txtDigitoISBN")), red);
        QCOMPARE(HasButtonFace(Field("txtDigitoISBN")), !red);
    }

    void keysWithAltAreFilteredToo_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<char>("key");
        QTest::addColumn<QString>("field");
        QTest::newRow("letter into the identity field") << "txtDNI" << 'x' << "X";
        QTest::newRow("symbol into the identity field") << "txtDNI" << '+' << "";
        QTest::newRow("letter into the isbn field") << "txtISBN" << 'b' << "";
        QTest::newRow("digit into the isbn field") << "txtISBN" << '7' << "7";
    }

    void keysWithAltAreFilteredToo() {
        QFETCH(QString, name);
        QFETCH(char, key);
        // The line edit types a key's text when Alt is held, so the filter must see it too.
        QTest::keyClick(&Field(name), key, Qt::AltModifier);
        QTEST(Field(name).text(), "field");
    }

    void correctingTheInputTurnsTheBoxesBack() {
        QTest::keyClicks(&Field("txtDNI"), "1234567A");
        QVERIFY(IsRed(Field("txtLetra(0)")));
        QTest::keyClick(&Field("txtDNI"), Qt::Key_Backspace);
        QCOMPARE(Field("txtLetra(0)").text(), QString("L"));
        QVERIFY(HasButtonFace(Field("txtLetra(0)")));

        Field("txtDNI").setText("B1234567");
        QVERIFY(!Field("txtLetra(1)").isHidden());
        QTest::keyClick(&Field("txtDNI"), Qt::Key_Backspace);
        QCOMPARE(Field("txtLetra(0)").text(), QString("F"));
        QCOMPARE(Field("txtLetra(1)").text(), QString("6"));
        Field("txtDNI").setText("K1234567");  // a person's number has no digit form
        QCOMPARE(Field("txtLetra(0)").text(), QString("L"));
        QVERIFY(Field("txtLetra(1)").isHidden());

        QTest::keyClicks(&Field("txtISBN"), "0306406152");
        QVERIFY(IsRed(Field("txtDigitoISBN")));
        QTest::keyClick(&Field("txtISBN"), Qt::Key_Backspace);
        QCOMPARE(Field("txtDigitoISBN").text(), QString("2"));
        QVERIFY(HasButtonFace(Field("txtDigitoISBN")));
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
        Account(0).setText("2100");
        Account(1).setText("0418");
        Account(2).setText("0200051332");
        Field("txtISBN").setText("0306406152");
        dialogs_->replies.push_back("FR");
        QTest::mouseClick(&Field("txtIban"), Qt::LeftButton);
        QCOMPARE(Field("txtIban").text(), QString("FR85"));

        QFETCH(QString, focus);
        Field(focus).setFocus();
        for (int press = 0; press < 2; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            for (const QString& name : kInputFields) {
                QVERIFY2(Field(name).text().isEmpty(), qPrintable(name));
            }
            QCOMPARE(Field("txtIban").text(), QString("ES00"));
            QCOMPARE(Field("txtDC").text(), QString());
            QCOMPARE(Caption("lblBanco"), QString("Banco: "));
            QCOMPARE(Caption("lblDNI"), QString("DNI/NIF:"));
            for (const char* box : {"txtLetra(0)", "txtDigitoISBN"}) {
                QVERIFY2(Field(box).text().isEmpty(), box);
                QVERIFY2(HasButtonFace(Field(box)), box);
            }
            QVERIFY(Field("txtLetra(1)").isHidden());
            QCOMPARE(FocusName(), focus);
        }
        QCOMPARE(dialogs_->inputs.size(), std::size_t{1});
        QVERIFY(dialogs_->messages.empty());
    }

    void pasteIsSplitOverTheAccountFields_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("focus");
        const QStringList caixa = {"2100", "0418", "0200051332"};
        QTest::newRow("blanks") << "2100 0418 45 0200051332" << caixa << "45"
                                << "txtCuenta(1)";
        QTest::newRow("dots") << "2100.0418.45.0200051332" << caixa << "45"
                              << "txtCuenta(1)";
        QTest::newRow("hyphens") << "2100-0418-45-0200051332" << caixa << "45"
                                 << "txtCuenta(1)";
        QTest::newRow("slashes") << "2100/0418/45/0200051332" << caixa << "45"
                                 << "txtCuenta(1)";
        QTest::newRow("underscores") << "2100_0418_45_0200051332" << caixa << "45"
                                     << "txtCuenta(1)";
        QTest::newRow("no separators") << "21000418450200051332" << caixa << "45"
                                       << "txtCuenta(1)";
        QTest::newRow("wrong control digits recomputed")
            << "2100 0418 99 0200051332" << caixa << "45"
            << "txtCuenta(1)";
        QTest::newRow("iban") << "ES91 2100 0418 4502 0005 1332" << caixa << "45"
                              << "txtCuenta(1)";
        QTest::newRow("iban mixed separators") << "es91-2100.0418/4502_0005 1332" << caixa << "45"
                                               << "txtCuenta(1)";
        QTest::newRow("letters in the account dropped")
            << "2100 0418 45 02000513XY" << QStringList{"2100", "0418", "02000513"} << "45"
            << "txtCuenta(1)";
        QTest::newRow("incomplete bank code keeps the focus")
            << "21a0 0418 45 0200051332" << QStringList{"210", "0418", "0200051332"} << "15"
            << "txtCuenta(2)";
        QTest::newRow("longer text keeps four") << "123456" << QStringList{"1234", "", ""} << "20"
                                                << "txtCuenta(1)";
        QTest::newRow("pasted letters dropped") << "12ab5678" << QStringList{"12", "", ""} << "80"
                                                << "txtCuenta(0)";
        QTest::newRow("short paste") << "0 4-9" << QStringList{"049", "", ""} << "00"
                                     << "txtCuenta(0)";
    }

    void pasteIsSplitOverTheAccountFields() {
        QFETCH(QString, pasted);
        Paste(Account(0), pasted);
        QFETCH(QStringList, fields);
        for (int index = 0; index < 3; ++index) {
            QCOMPARE(Account(index).text(), fields[index]);
        }
        QTEST(Field("txtDC").text(), "control");
        QTEST(FocusName(), "focus");
    }

    void pasteIntoTheIdentityFieldIsNotFiltered() {
        Paste(Field("txtDNI"), "x1234567l and more");
        QCOMPARE(Field("txtDNI").text(), QString("x1234567"));
        QCOMPARE(Field("txtLetra(0)").text(), QString("L"));
        QCOMPARE(Caption("lblDNI"), QString("Persona Extranjera"));
    }

    void countryIsChosenOnAClick_data() {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("iban");
        QTest::newRow("lower case") << false << "fr"
                                    << "FR85";
        QTest::newRow("upper case") << false << "DE"
                                    << "DE45";
        QTest::newRow("default kept") << false << "ES"
                                      << "ES91";
        QTest::newRow("three letters") << false << "ESP"
                                       << "ES91";
        QTest::newRow("one letter") << false << "F"
                                    << "ES91";
        QTest::newRow("a digit") << false << "F1"
                                 << "ES91";
        QTest::newRow("letter outside A to Z") << false << "Ñ"
                                               << "ES91";
        QTest::newRow("empty") << false << ""
                               << "ES91";
        QTest::newRow("cancelled") << true << ""
                                   << "ES91";
    }

    void countryIsChosenOnAClick() {
        TypeAccount();
        Field("txtISBN").setFocus();
        QFETCH(bool, cancel);
        QFETCH(QString, answer);
        if (!cancel) {
            dialogs_->replies.push_back(answer);
        }
        QTest::mouseClick(&Field("txtIban"), Qt::LeftButton);
        QCOMPARE(dialogs_->inputs.size(), std::size_t{1});
        QCOMPARE(dialogs_->inputs[0].prompt, QString("Selecciona el código de país:"));
        QCOMPARE(dialogs_->inputs[0].title, QString("MiniZol"));
        QCOMPARE(dialogs_->inputs[0].defaultText, QString("ES"));
        QTEST(Field("txtIban").text(), "iban");
        QCOMPARE(FocusName(), QString("txtCuenta(0)"));
        QCOMPARE(Account(0).selectedText(), QString("2100"));
        QCOMPARE(Account(0).selectionStart(), 0);
    }

    void countryStaysUntilTheAccountIsEmptied() {
        dialogs_->replies.push_back("FR");
        QTest::mouseClick(&Field("txtIban"), Qt::LeftButton);
        QCOMPARE(Field("txtIban").text(), QString("ES00"));  // no account: the choice is not kept

        TypeAccount();
        dialogs_->replies.push_back("fr");
        QTest::mouseClick(&Field("txtIban"), Qt::LeftButton);
        QCOMPARE(Field("txtIban").text(), QString("FR85"));
        Account(2).setText("1");
        Account(2).setText("0200051332");
        QCOMPARE(Field("txtIban").text(), QString("FR85"));

        QTest::mouseClick(&Field("txtIban"), Qt::LeftButton);  // cancelled
        QCOMPARE(dialogs_->inputs.back().defaultText, QString("FR"));
        QCOMPARE(Field("txtIban").text(), QString("ES91"));

        dialogs_->replies.push_back("DE");
        QTest::mouseClick(&Field("txtIban"), Qt::LeftButton);
        for (int index = 0; index < 3; ++index) {
            Account(index).clear();
        }
        QCOMPARE(Field("txtIban").text(), QString("ES00"));
        QCOMPARE(Field("txtDC").text(), QString());
        Account(2).setText("1");
        QCOMPARE(Field("txtIban").text(), QString("ES36"));
    }

    void tabVisitsOnlyTheInputFields() {
        QStringList visited;
        for (int press = 0; press < 5; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << FocusName();
        }
        QCOMPARE(visited, QStringList({"txtCuenta(0)", "txtCuenta(1)", "txtCuenta(2)", "txtISBN",
                                       "txtDNI"}));
    }

    void focusSelectsTheWholeText_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("byMouse");
        for (bool byMouse : {false, true}) {
            const char* how = byMouse ? "click" : "program";
            QTest::addRow("txtDNI, %s", how) << "txtDNI"
                                             << "1234567L" << byMouse;
            QTest::addRow("txtCuenta(0), %s", how) << "txtCuenta(0)"
                                                   << "21" << byMouse;
            QTest::addRow("txtCuenta(1), %s", how) << "txtCuenta(1)"
                                                   << "041" << byMouse;
            QTest::addRow("txtCuenta(2), %s", how) << "txtCuenta(2)"
                                                   << "0200051332" << byMouse;
        }
    }

    void focusSelectsTheWholeText() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, byMouse);
        QLineEdit& field = Field(name);
        field.setText(text);
        Field("txtISBN").setFocus();
        if (byMouse) {
            QTest::mouseClick(&field, Qt::LeftButton, {}, field.rect().center());
        } else {
            field.setFocus();
        }
        QCOMPARE(FocusName(), name);
        QCOMPARE(field.selectedText(), text);
        QCOMPARE(field.selectionStart(), 0);
        QTest::keyClicks(&field, "9");
        QCOMPARE(field.text(), QString("9"));
    }

    void helpMessage() {
        window_->findChild<QAction*>("mnuAyuda")->trigger();
        QCOMPARE(dialogs_->messages.size(), std::size_t{1});
        const testing::RecordingDialogs::Shown& shown = dialogs_->messages[0];
        QCOMPARE(shown.title, QString("Ayuda"));
        QCOMPARE(shown.icon, MessageIcon::Information);
        const QStringList lines = shown.text.split("\r\n");
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines[2], QString("· Cuenta Bancaria."));
        QCOMPARE(lines[11], QString("Usa <Ctrl.> para cambiar de aplicación."));
    }

    void stateIsKeptAcrossAToolSwitch() {
        QTest::keyClicks(&Field("txtDNI"), "b1234567");
        TypeAccount();
        QTest::keyClicks(&Field("txtISBN"), "0-8044-2957");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(!window_->isVisible());
        for (int press = 0; press < 3; ++press) {
            ToolWindow* shown = VisibleTool(*shell_);
            QVERIFY(shown != nullptr && shown != window_);
            QTest::keyClick(shown, Qt::Key_Control, Qt::ControlModifier);
        }
        QCOMPARE(VisibleTool(*shell_), window_);
        QCOMPARE(Field("txtDNI").text(), QString("B1234567"));
        QCOMPARE(Field("txtLetra(0)").text(), QString("D"));
        QCOMPARE(Field("txtLetra(1)").text(), QString("4"));
        QVERIFY(Field("txtLetra(1)").isVisible());
        QCOMPARE(Account(2).text(), QString("0200051332"));
        QCOMPARE(Field("txtDC").text(), QString("45"));
        QCOMPARE(Field("txtIban").text(), QString("ES91"));
        QCOMPARE(Caption("lblBanco"), kCaixa);
        QCOMPARE(Field("txtDigitoISBN").text(), QString("X"));
    }

    void megabytePasteIsHandledAndConsistent_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("red");
        QTest::newRow("identity") << "txtDNI"
                                  << "1234567890"
                                  << "12345678"
                                  << "txtLetra(0)"
                                  << "Z" << false;
        QTest::newRow("identity letters") << "txtDNI"
                                          << "ñx"
                                          << "ñxñxñxñx"
                                          << "txtLetra(0)"
                                          << "" << true;
        QTest::newRow("bank") << "txtCuenta(0)"
                              << "1234567890"
                              << "1234"
                              << "txtDC"
                              << "20" << false;
        QTest::newRow("bank letters") << "txtCuenta(0)"
                                      << "abcdefghij"
                                      << ""
                                      << "txtDC"
                                      << "" << false;
        QTest::newRow("bank separators") << "txtCuenta(0)"
                                         << " .-/_"
                                         << ""
                                         << "txtIban"
                                         << "ES00" << false;
        QTest::newRow("office") << "txtCuenta(1)"
                                << "1234567890"
                                << "1234"
                                << "txtDC"
                                << "10" << false;
        QTest::newRow("account") << "txtCuenta(2)"
                                 << "1234567890"
                                 << "1234567890"
                                 << "txtIban"
                                 << "ES44" << false;
        QTest::newRow("isbn") << "txtISBN"
                              << "1234567890"
                              << "12345678901234567890"
                              << "txtDigitoISBN"
                              << "" << true;
    }

    void megabytePasteIsHandledAndConsistent() {
        QFETCH(QString, name);
        QFETCH(QString, pattern);
        constexpr qsizetype kMegabyte = 1 << 20;
        const QString pasted = pattern.repeated(kMegabyte / pattern.size() + 1).left(kMegabyte);
        Paste(Field(name), pasted);
        QTEST(Field(name).text(), "field");
        QFETCH(QString, result);
        QTEST(Field(result).text(), "expected");
        QTEST(IsRed(Field(result)), "red");
        QVERIFY(dialogs_->messages.empty());
    }

  private:
    QLineEdit& Field(const QString& name) const {
        auto* field = window_->findChild<QLineEdit*>(name);
        if (field == nullptr) {
            qFatal("no field %s", qPrintable(name));
        }
        return *field;
    }
    QLineEdit& Account(int index) const {
        return Field(QStringLiteral("txtCuenta(%1)").arg(index));
    }
    QString Caption(const QString& name) const {
        auto* label = window_->findChild<QLabel*>(name);
        return label != nullptr ? label->text() : QStringLiteral("<no %1>").arg(name);
    }
    void TypeAccount() {
        Account(0).setFocus();
        TypeIntoFocus("210004180200051332");
    }

    std::unique_ptr<testing::RecordingDialogs> dialogs_;
    std::unique_ptr<Shell> shell_;
    ToolWindow* window_ = nullptr;
};

}  // namespace minizol

QTEST_MAIN(minizol::DigiZolWindowTest)
#include "tst_frmDigiZol.moc"
