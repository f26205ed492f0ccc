#include <QAction>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "platform/fonts.h"
#include "shell/shell.h"
#include "shell/tool_window.h"
#include "shell/tool_windows.h"
#include "support/recording_dialogs.h"

namespace minizol {
enum class Leave { Ctrl, Menu };
}  // namespace minizol

Q_DECLARE_METATYPE(minizol::Leave)
Q_DECLARE_METATYPE(minizol::ToolId)

namespace minizol {
namespace {

// Stands for a modal message box: it runs its own event loop until the monitor has ticked.
class ModalDialogs final : public Dialogs {
  public:
    void Message(QWidget* parent, const QString&, MessageIcon, const QString&) override {
        QSignalSpy ticks(parent->findChild<QTimer*>("Timer1"), &QTimer::timeout);
        tickedWhileOpen = ticks.wait(5000);
    }
    std::optional<QString> Input(QWidget*, const QString&, const QString&,
                                 const QString&) override {
        return std::nullopt;
    }

    bool tickedWhileOpen = false;
};

// Notes the stay-on-top state the window has at the moment it is hidden.
class HideWatcher final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            hidden = true;
            onTopWhenHidden = static_cast<QWidget*>(watched)->windowHandle()->flags().testFlag(
                Qt::WindowStaysOnTopHint);
        }
        return false;
    }

    bool hidden = false;
    bool onTopWhenHidden = false;
};

bool OnTop(const QWidget& window) {
    return window.windowHandle() != nullptr &&
           window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
}

ToolWindow* VisibleTool(const Shell& shell) {
    for (ToolId tool : kAllTools) {
        if (shell.Existing(tool) != nullptr && shell.Existing(tool)->isVisible()) {
            return shell.Existing(tool);
        }
    }
    return nullptr;
}

}  // namespace

class MemozolTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallFontSubstitutions(); }

    void init() {
        dialogs_ = std::make_unique<testing::RecordingDialogs>();
        ends_ = 0;
        shell_ = std::make_unique<Shell>(*dialogs_, [this] { ++ends_; });
        RegisterToolWindows(*shell_);
        shell_->Start();
        monitor_ = &shell_->Show(ToolId::MemoZol);
        label_ = monitor_->findChild<QLabel*>("Label1");
        timer_ = monitor_->findChild<QTimer*>("Timer1");
        QVERIFY(label_ != nullptr);
        QVERIFY(timer_ != nullptr);
    }
    void cleanup() { shell_.reset(); }

    void firstTickReplacesLabel1WithTheReport() {
        QCOMPARE(label_->text(), QString("Label1"));
        QTRY_VERIFY(label_->text() != QString("Label1"));

        const QStringList lines = label_->text().split('\n');
        QCOMPARE(lines.size(), 8);
        QVERIFY(lines.front().startsWith("Total physical memory:"));
        QVERIFY(lines.back().startsWith("Memory Load:"));
        // The values in the system locale's decimal separator, each from column 31 on.
        const QString separator = QRegularExpression::escape(QLocale::system().decimalPoint());
        const QRegularExpression count("^\\d+(" + separator +
                                       "\\d{1,2})? (bytes|KB|MB|GB|TB)( \\(\\d+% Free\\))?$");
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString& line = lines[i];
            QVERIFY2(!line.contains('\r'), qPrintable(line));
            QVERIFY2(line.size() > 30 && line[29] == ' ' && line[30] != ' ', qPrintable(line));
            const QString value = line.mid(30);
            const bool fits = i == 7 ? QRegularExpression("^\\d{1,3}%$").match(value).hasMatch()
                                     : count.match(value).hasMatch();
            QVERIFY2(fits, qPrintable(line));
        }
    }

    void reportFitsTheLabelInAFixedPitchFont() {
        QVERIFY(QFontInfo(label_->font()).fixedPitch());
        QTRY_VERIFY(label_->text() != QString("Label1"));
        const QFontMetrics metrics(label_->font());
        for (const QString& line : label_->text().split('\n')) {
            QVERIFY2(metrics.horizontalAdvance(line) <= label_->contentsRect().width(),
                     qPrintable(line));
        }
        QVERIFY(8 * metrics.lineSpacing() <= label_->contentsRect().height());
    }

    void fixedPitchFontFallsBackToTheSystemMonospace_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("keepsFamily");
        QTest::newRow("Courier New, substituted") << "Courier New" << true;
        QTest::newRow("a fixed-pitch family") << "DejaVu Sans Mono" << true;
        QTest::newRow("a proportional family") << "Liberation Sans" << false;
        QTest::newRow("an unknown family") << "No Such Family Anywhere" << false;
    }
    void fixedPitchFontFallsBackToTheSystemMonospace() {
        QFETCH(QString, family);
        QFETCH(bool, keepsFamily);
        const QFont font = FixedPitchFont(family, 8.25);
        QVERIFY(QFontInfo(font).fixedPitch());
        QCOMPARE(font.pointSizeF(), 8.25);
        QCOMPARE(font.family() == family, keepsFamily);
    }

    void stayOnTopIsSetInPlaceWhileShown() {
        QWindow* handle = monitor_->windowHandle();
        QVERIFY(handle != nullptr);
        QSignalSpy visibility(handle, &QWindow::visibleChanged);
        QSignalSpy ticks(timer_, &QTimer::timeout);
        QTRY_VERIFY(ticks.count() >= 2);
        QVERIFY(OnTop(*monitor_));
        QVERIFY(monitor_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // Re-creating the native window would hide and show it: a flicker on every tick.
        QCOMPARE(monitor_->windowHandle(), handle);
        QCOMPARE(visibility.count(), 0);
        QVERIFY(monitor_->isVisible());
    }

    void leavingStopsTheRefreshAndResumesOnReturn_data() {
        QTest::addColumn<Leave>("how");
        QTest::addColumn<ToolId>("next");
        QTest::newRow("Ctrl") << Leave::Ctrl << ToolId::EuroZol;
        QTest::newRow("(más) DigiZol") << Leave::Menu << ToolId::DigiZol;
    }
    void leavingStopsTheRefreshAndResumesOnReturn() {
        QFETCH(Leave, how);
        QFETCH(ToolId, next);
        QTRY_VERIFY(OnTop(*monitor_));
        HideWatcher watcher;
        monitor_->installEventFilter(&watcher);

        if (how == Leave::Ctrl) {
            QTest::keyClick(monitor_, Qt::Key_Control, Qt::ControlModifier);
        } else {
            monitor_->findChild<QAction*>(QString("mnuApps(%1)").arg(static_cast<int>(next)))
                ->trigger();
        }
        QVERIFY(!monitor_->isVisible());
        QVERIFY(shell_->Existing(next)->isVisible());
        QVERIFY(!timer_->isActive());
        QVERIFY(watcher.hidden);
        QVERIFY2(!watcher.onTopWhenHidden, "still on top when hidden");
        QVERIFY(!OnTop(*monitor_));

        // Back with Ctrl through the rest of the cycle.
        for (int press = 0; press < 4 && !monitor_->isVisible(); ++press) {
            QTest::keyClick(VisibleTool(*shell_), Qt::Key_Control, Qt::ControlModifier);
        }
        QVERIFY(monitor_->isVisible());
        QVERIFY(timer_->isActive());
        QSignalSpy ticks(timer_, &QTimer::timeout);
        QVERIFY(ticks.wait());
        QVERIFY(OnTop(*monitor_));
    }

    void f1ShowsTheHelpThoughAyudaHasNoShortcut() {
        QVERIFY(monitor_->findChild<QAction*>("mnuAyuda")->shortcut().isEmpty());
        QTest::keyClick(monitor_, Qt::Key_F1);
        QCOMPARE(dialogs_->messages.size(), std::size_t{1});
        const testing::RecordingDialogs::Shown& shown = dialogs_->messages.front();
        QCOMPARE(shown.text, QString("Muestra el estado de la memoria.\r\n"));
        QCOMPARE(shown.icon, MessageIcon::None);
        QCOMPARE(shown.title, QString("MiniZol"));
        QVERIFY(monitor_->isVisible());
        QVERIFY(timer_->isActive());
    }

    void refreshGoesOnWhileTheHelpBoxIsOpen() {
        ModalDialogs modal;
        Shell shell(modal, [] {});
        RegisterToolWindows(shell);
        ToolWindow& monitor = shell.Show(ToolId::MemoZol);
        monitor.findChild<QAction*>("mnuAyuda")->trigger();
        QVERIFY(modal.tickedWhileOpen);
        QVERIFY(monitor.isVisible());
        QVERIFY(monitor.findChild<QTimer*>("Timer1")->isActive());
    }

    void closingTheMonitorEndsTheProgramAndItsRefresh() {
        monitor_->close();
        QCOMPARE(ends_, 1);
        QVERIFY(!timer_->isActive());
    }

  private:
    std::unique_ptr<testing::RecordingDialogs> dialogs_;
    std::unique_ptr<Shell> shell_;
    ToolWindow* monitor_ = nullptr;
    QLabel* label_ = nullptr;
    QTimer* timer_ = nullptr;
    int ends_ = 0;
};

}  // namespace minizol

QTEST_MAIN(minizol::MemozolTest)
#include "tst_frmMemozol.moc"
