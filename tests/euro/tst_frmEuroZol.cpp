#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "euro/frmEuroZol.h"
#include "shell/shell.h"
#include "support/test_shell.h"

namespace minizol {

class EuroZolWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        app_ = std::make_unique<testing::TestShell>();
        window_ = &app_->shell.Show(ToolId::EuroZol);
    }
    void cleanup() { app_.reset(); }

    // Typed characters reach the engine once each (the display never takes the focus), and the
    // window mirrors its display, captions and operator; what the keys compute is the engine's
    // tables.
    void startsEmptyAndMirrorsTheEngine() {
        QCOMPARE(Display() + Text("lblPtas") + Text("lblEuros") + Text("lblOpera"),
                 QString("0 Ptas.0,00 Euros."));
        QVERIFY(window_->findChild<QLabel*>("lblMemo")->isHidden());
        QCOMPARE(window_->Tag(), QString("EuroZol"));
        QTest::keyClicks(window_, "2*");
        QCOMPARE(Display() + Text("lblPtas") + Text("lblEuros") + Text("lblOpera"),
                 QString("2333 Ptas.0,01 Euros.X"));
    }

    // A double click on the display, delivered as the window system delivers it, neither
    // focuses it nor selects its text; the keys that follow still reach the engine.
    void theDisplayTakesNoClickAndNoFocus() {
        auto* display = window_->findChild<QLineEdit*>("txtResult");
        QTest::keyClicks(window_, "12");
        const QPoint middle = display->mapTo(window_, display->rect().center());
        QTest::mouseDClick(window_->windowHandle(), Qt::LeftButton, {}, middle);
        QVERIFY(!display->hasFocus() && !display->hasSelectedText());
        QTest::keyClick(window_->windowHandle(), Qt::Key_3);
        QCOMPARE(Display(), QString("123"));
    }

    // The display's right-click menu copies it as shown; an error, or a click beside it, offers
    // nothing to copy.
    void theDisplayIsCopiedFromItsMenu() {
        QTest::keyClicks(window_, "1000e");
        QCOMPARE(CopiedByRightClick("txtResult"), QString("6.01"));
        QCOMPARE(CopiedByRightClick("lblPtas"), QString("nothing"));
        QTest::keyClicks(window_, "/0\r");
        QCOMPARE(CopiedByRightClick("txtResult"), QString("nothing"));
        QTest::keyClick(window_, Qt::Key_3);
        QCOMPARE(Display(), QString("3"));  // the keys still reach the calculator
    }

    void controlKeysKeypadAndArrows() {
        QTest::keyClicks(window_, "1");
        QTest::keyClick(window_, Qt::Key_Slash, Qt::KeypadModifier);
        QTest::keyClick(window_, Qt::Key_0, Qt::KeypadModifier);
        QTest::keyClick(window_, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(Display(), QString("(Error)"));
        QCOMPARE(Text("lblPtas"), QString());
        QTest::keyClick(window_, Qt::Key_Escape);
        QCOMPARE(Display(), QString());
        QTest::keyClicks(window_, "45");
        QTest::keyClick(window_, Qt::Key_Backspace);
        QTest::keyClick(window_, Qt::Key_Plus, Qt::KeypadModifier);
        QTest::keyClicks(window_, "6");
        QTest::keyClick(window_, Qt::Key_Return);
        QCOMPARE(Display(), QString("10"));
        // The arrows drive the memory, and the window shows its mark.
        auto* memo = window_->findChild<QLabel*>("lblMemo");
        QTest::keyClick(window_, Qt::Key_Up);
        QVERIFY(!memo->isHidden());
        QTest::keyClick(window_, Qt::Key_Escape);
        QTest::keyClick(window_, Qt::Key_Right);
        QCOMPARE(Display(), QString("10"));
        QTest::keyClick(window_, Qt::Key_Left);
        QVERIFY(memo->isHidden());
    }

    void helpShowsTwentyLinesOncePerPress() {
        window_->findChild<QAction*>("mnuAyuda")->trigger();
        QTest::keyClick(window_, Qt::Key_F1);
        QCOMPARE(app_->dialogs.messages.size(), 2u);
        for (const auto& shown : app_->dialogs.messages) {
            QCOMPARE(shown.text.count("\r\n"), 19);  // twenty lines
            QVERIFY(shown.text.startsWith("BOTONES:\r\n<+> Sumar \r\n") &&
                    shown.text.endsWith("\r\n<Ctrl.> Cambiar de Aplicación"));
            QVERIFY(shown.icon == MessageIcon::None && shown.title == "MiniZol");
        }
    }

  private:
    // What "Copiar" puts on the clipboard after a right click in the middle of `control`, as the
    // window system delivers it; "nothing" when no menu or no enabled "Copiar" shows.
    QString CopiedByRightClick(const char* control) {
        QGuiApplication::clipboard()->setText("nothing");
        QTimer::singleShot(0, [] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions()) {
                    if (action->isEnabled()) {
                        action->trigger();
                    }
                }
                menu->close();
            }
        });
        auto* widget = window_->findChild<QWidget*>(control);
        QTest::mouseClick(window_->windowHandle(), Qt::RightButton, {},
                          widget->mapTo(window_, widget->rect().center()));
        return QGuiApplication::clipboard()->text();
    }

    QString Display() const { return window_->findChild<QLineEdit*>("txtResult")->text(); }
    QString Text(const char* label) const { return window_->findChild<QLabel*>(label)->text(); }

    std::unique_ptr<testing::TestShell> app_;
    ToolWindow* window_ = nullptr;
};

}  // namespace minizol

QTEST_MAIN(minizol::EuroZolWindowTest)
#include "tst_frmEuroZol.moc"
