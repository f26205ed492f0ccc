#include <QAction>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "platform/fonts.h"
#include "shell/shell.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

bool OnTop(const QWidget& window) {
    return window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
}

// Notes whether the window was still on top at the moment it was hidden.
class HideWatcher final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            hidden = true;
            onTopWhenHidden = OnTop(*static_cast<QWidget*>(watched));
        }
        return false;
    }
    bool hidden = false;
    bool onTopWhenHidden = false;
};

}  // namespace

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
        QVERIFY(label_ != nullptr && timer_ != nullptr);
    }
    void cleanup() { app_.reset(); }

    void firstTickShowsTheReportOnTopWithoutRecreatingTheWindow() {
        QCOMPARE(label_->text(), QString("Label1"));
        QWindow* handle = monitor_->windowHandle();
        QSignalSpy visibility(handle, &QWindow::visibleChanged);
        QTRY_VERIFY(label_->text() != QString("Label1"));
        QVERIFY(OnTop(*monitor_));
        // Re-creating the native window would hide and show it: a flicker on every tick.
        QCOMPARE(monitor_->windowHandle(), handle);
        QCOMPARE(visibility.count(), 0);

        // Eight lines, values from column 31 in the system locale's decimal separator.
        const QStringList lines = label_->text().split('\n');
        QCOMPARE(lines.size(), 8);
        QVERIFY(lines.front().startsWith("Total physical memory:"));
        QVERIFY(lines.back().startsWith("Memory Load:"));
        const QString comma = QRegularExpression::escape(QLocale::system().decimalPoint());
        const QRegularExpression count("^\\d+(" + comma +
                                       "\\d\\d?)? (bytes|KB|MB|GB|TB)( \\(\\d+% Free\\))?$");
        const QFontMetrics metrics(label_->font());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString value = lines[i].mid(30);
            const bool good = i == 7 ? QRegularExpression("^\\d{1,3}%$").match(value).hasMatch()
                                     : count.match(value).hasMatch();
            QVERIFY2(good && lines[i][29] == ' ' && !lines[i].contains('\r'), qPrintable(lines[i]));
            QVERIFY2(metrics.horizontalAdvance(lines[i]) <= label_->width(), "clipped");
        }
        QVERIFY(8 * metrics.lineSpacing() <= label_->height());
    }

    void fixedPitchFont_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("kept");
        QTest::newRow("Courier New, substituted") << "Courier New" << true;
        QTest::newRow("proportional") << "Liberation Sans" << false;
        QTest::newRow("unknown") << "No Such Family Anywhere" << false;
    }
    void fixedPitchFont() {
        QFETCH(QString, family);
        QFETCH(bool, kept);
        const QFont font = FixedPitchFont(family, 8.25);
        QVERIFY(QFontInfo(font).fixedPitch());
        QCOMPARE(font.pointSizeF(), 8.25);
        QCOMPARE(font.family() == family, kept);
        QVERIFY(QFontInfo(label_->font()).fixedPitch());
    }

    void leavingStopsTheRefreshAndResumesOnReturn_data() {
        QTest::addColumn<QString>("menuEntry");  // empty: Ctrl
        QTest::addColumn<int>("next");
        QTest::newRow("Ctrl") << QString() << static_cast<int>(ToolId::EuroZol);
        QTest::newRow("(más) DigiZol") << "mnuApps(2)" << static_cast<int>(ToolId::DigiZol);
    }
    void leavingStopsTheRefreshAndResumesOnReturn() {
        QFETCH(QString, menuEntry);
        QFETCH(int, next);
        QTRY_VERIFY(OnTop(*monitor_));
        HideWatcher watcher;
        monitor_->installEventFilter(&watcher);
        if (menuEntry.isEmpty()) {
            QTest::keyClick(monitor_, Qt::Key_Control, Qt::ControlModifier);
        } else {
            monitor_->findChild<QAction*>(menuEntry)->trigger();
        }
        QVERIFY(app_->shell.Existing(static_cast<ToolId>(next))->isVisible());
        QVERIFY(watcher.hidden && !monitor_->isVisible());
        QVERIFY2(!watcher.onTopWhenHidden, "still on top when hidden");
        QVERIFY(!OnTop(*monitor_));
        QVERIFY(!timer_->isActive());

        for (int tool = next; tool != static_cast<int>(ToolId::MemoZol); ++tool) {
            QTest::keyClick(app_->shell.Existing(static_cast<ToolId>(tool)), Qt::Key_Control,
                            Qt::ControlModifier);
        }
        QVERIFY(monitor_->isVisible() && timer_->isActive());
        QSignalSpy ticks(timer_, &QTimer::timeout);
        QVERIFY(ticks.wait());
        QVERIFY(OnTop(*monitor_));
    }

    void f1ShowsTheHelpAndTheRefreshGoesOn() {
        QVERIFY(monitor_->findChild<QAction*>("mnuAyuda")->shortcut().isEmpty());
        QTest::keyClick(monitor_, Qt::Key_F1);
        QCOMPARE(app_->dialogs.messages.size(), std::size_t{1});
        QCOMPARE(app_->dialogs.messages[0].text, QString("Muestra el estado de la memoria.\r\n"));
        QCOMPARE(app_->dialogs.messages[0].icon, MessageIcon::None);
        QCOMPARE(app_->dialogs.messages[0].title, QString("MiniZol"));
        QVERIFY(monitor_->isVisible() && timer_->isActive());
    }

    void closingEndsTheProgramAndTheRefresh() {
        monitor_->close();
        QCOMPARE(app_->ends, 1);
        QVERIFY(!timer_->isActive());
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
