#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "platform/fonts.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {

static bool OnTop(const QWidget& window) {
    return window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
}

// Also run in a Spanish locale, whose decimal comma the report must then show.
class MemozolTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void init() {
        app_ = std::make_unique<testing::TestShell>();
        app_->shell.Start();
        monitor_ = &app_->shell.Show(ToolId::MemoZol);
        label_ = monitor_->findChild<QLabel*>("Label1");
        timer_ = monitor_->findChild<QTimer*>("Timer1");
    }
    void cleanup() { app_.reset(); }

    void firstTickShowsTheReportOnTopWithoutRecreatingTheWindow() {
        QCOMPARE(label_->text(), "Label1");
        QWindow* handle = monitor_->windowHandle();
        QSignalSpy visibility(handle, &QWindow::visibleChanged);
        QTRY_VERIFY(label_->text() != "Label1");
        QVERIFY(OnTop(*monitor_));
        // Re-creating the native window would hide and show it: a flicker on every tick.
        QCOMPARE(monitor_->windowHandle(), handle);
        QCOMPARE(visibility.count(), 0);
        // The report's eight lines (the core suite checks their figures), in the locale's numbers.
        const QString text = label_->text();
        QCOMPARE(text.split('\n').size(), 8);
        QVERIFY(!text.contains('\r') && text.startsWith("Total physical memory:"));
        QVERIFY(!text.contains(QLocale::system().decimalPoint() == "," ? '.' : ','));
    }

    void reportIsInAFixedPitchFont() {
        QVERIFY(label_->font().family() == "Courier New" && QFontInfo(label_->font()).fixedPitch());
        // A family of two widths, or none at all, gives way to one of a fixed pitch.
        for (const char* family : {"Liberation Sans", "No Such Family Anywhere"}) {
            const QFont font = FixedPitchFont(family, 8.25);
            QVERIFY2(QFontInfo(font).fixedPitch() && font.pointSizeF() == 8.25, family);
        }
    }

    void leavingStopsTheRefreshAndResumesOnReturn_data() {
        QTest::addColumn<QString>("menuEntry");  // empty: Ctrl
        QTest::addColumn<ToolId>("next");
        QTest::newRow("Ctrl") << QString() << ToolId::EuroZol;
        QTest::newRow("(más) DigiZol") << "mnuApps(2)" << ToolId::DigiZol;
    }
    void leavingStopsTheRefreshAndResumesOnReturn() {
        QFETCH(QString, menuEntry);
        QFETCH(ToolId, next);
        QTRY_VERIFY(OnTop(*monitor_));
        bool onTopWhenHidden = true;
        QObject watch;
        connect(monitor_->windowHandle(), &QWindow::visibleChanged, &watch,
                [&](bool visible) { onTopWhenHidden = !visible && OnTop(*monitor_); });
        if (menuEntry.isEmpty()) {
            QTest::keyClick(monitor_, Qt::Key_Control, Qt::ControlModifier);
        } else {
            monitor_->findChild<QAction*>(menuEntry)->trigger();
        }
        QVERIFY(app_->shell.Existing(next)->isVisible() && !monitor_->isVisible());
        QVERIFY2(!onTopWhenHidden, "still on top when hidden");
        QVERIFY(!timer_->isActive());

        app_->shell.Show(ToolId::MemoZol);  // as switching back does
        QVERIFY(monitor_->isVisible() && timer_->isActive());
        QVERIFY(QSignalSpy(timer_, &QTimer::timeout).wait());
        QVERIFY(OnTop(*monitor_));
    }

    void f1ShowsTheHelpAndOnlyClosingEndsTheRefresh() {
        QTest::keyClick(monitor_, Qt::Key_F1);
        QCOMPARE(app_->dialogs.messages.size(), 1u);
        QCOMPARE(app_->dialogs.messages[0].text, "Muestra el estado de la memoria.\r\n");
        QVERIFY(monitor_->isVisible() && timer_->isActive());
        monitor_->close();
        QVERIFY(app_->ends == 1 && !timer_->isActive());
    }

  private:
    std::unique_ptr<testing::TestShell> app_;
    ToolWindow* monitor_ = nullptr;
    QLabel* label_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace minizol

QTEST_MAIN(minizol::MemozolTest)
#include "tst_frmMemozol.moc"
