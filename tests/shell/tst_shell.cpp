#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include "platform/fonts.h"
#include "shell/shell.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

// A tool window with a field that takes the focus, to show that keys reach the window first.
class WindowWithField final : public ToolWindow {
  public:
    explicit WindowWithField(Shell& shell)
        : ToolWindow(shell, {ToolId::DigiZol, "Prueba", true, true, true}) {
        SetClientSize({200, 60});
        field = new QLineEdit(centralWidget());
        field->setObjectName("field");
        SetTag("DigiZol");
    }
    void mnuAyuda_Click() override {}

    QLineEdit* field;
};

ToolWindow* VisibleTool(const Shell& shell) {
    for (ToolId tool : kAllTools) {
        if (shell.Existing(tool) != nullptr && shell.Existing(tool)->isVisible()) {
            return shell.Existing(tool);
        }
    }
    return nullptr;
}

QStringList ToolEntries(const ToolWindow& window, bool* ownEntryDisabled) {
    QStringList visible;
    for (QAction* entry : window.findChild<QMenu*>("mnuApp")->actions()) {
        if (entry->isVisible()) {
            visible << entry->text();
        }
        if (entry->text() == window.Tag()) {
            *ownEntryDisabled = !entry->isEnabled();
        }
    }
    return visible;
}

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { app_ = std::make_unique<testing::TestShell>(); }
    void cleanup() { app_.reset(); }

    void startShowsOnlyEuroZolCentred() {
        app_->shell.Start();
        ToolWindow* euro = app_->shell.Existing(ToolId::EuroZol);
        QVERIFY(euro != nullptr);
        QVERIFY(euro->isVisible());
        QCOMPARE(euro->windowTitle(), QString("MiniZol 3.0"));
        for (ToolId other : {ToolId::DigiZol, ToolId::ReglaZol, ToolId::MemoZol}) {
            QVERIFY(app_->shell.Existing(other) == nullptr);
        }
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(euro->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(euro->frameGeometry().center().y() - screen.center().y()) <= 1);

        bool ownDisabled = false;
        QCOMPARE(ToolEntries(*euro, &ownDisabled),
                 QStringList({"EuroZol", "DigiZol", "ReglaZol", "MemoZol"}));
        QVERIFY(ownDisabled);
        QCOMPARE(euro->findChild<QMenu*>("mnuApp")->title(), QString("(más)"));
    }

    // Twice round the cycle: each tool's menu is built once, on its first activation.
    void ctrlCyclesThroughTheToolsKeepingState() {
        app_->shell.Start();
        QTest::keyClicks(app_->shell.Existing(ToolId::EuroZol), "12");
        const ToolId cycle[] = {ToolId::DigiZol, ToolId::ReglaZol, ToolId::MemoZol,
                                ToolId::EuroZol};
        ToolWindow* current = app_->shell.Existing(ToolId::EuroZol);
        for (int i = 0; i < 8; ++i) {
            const ToolId next = cycle[i % 4];
            QTest::keyClick(current, Qt::Key_Control, Qt::ControlModifier);
            ToolWindow* shown = app_->shell.Existing(next);
            QVERIFY2(shown != nullptr && shown->isVisible(), ToolName(next).data());
            QVERIFY(!current->isVisible());
            QCOMPARE(shown->windowTitle(), QString("MiniZol 3.0"));
            current = shown;
        }
        QCOMPARE(current->findChild<QLineEdit*>("txtResult")->text(), QString("12"));
        for (ToolId tool : kAllTools) {
            ToolWindow* window = app_->shell.Existing(tool);
            QCOMPARE(window->findChild<QMenu*>("mnuApp")->actions().size(), 5);
            bool ownDisabled = false;
            QCOMPARE(ToolEntries(*window, &ownDisabled).size(), 4);
            QVERIFY2(ownDisabled, ToolName(tool).data());
        }
    }

    void menuEntryShowsThatToolDirectly() {
        app_->shell.Start();
        ToolWindow* euro = app_->shell.Existing(ToolId::EuroZol);
        euro->findChild<QAction*>("mnuApps(4)")->trigger();
        QVERIFY(!euro->isVisible());
        QVERIFY(app_->shell.Existing(ToolId::MemoZol)->isVisible());
        QVERIFY(app_->shell.Existing(ToolId::DigiZol) == nullptr);
    }

    void ctrlReachesTheWindowBeforeTheFocusedField() {
        app_->shell.SetFactory(
            ToolId::DigiZol, [](Shell& shell) { return std::make_unique<WindowWithField>(shell); });
        ToolWindow& window = app_->shell.Show(ToolId::DigiZol);
        auto* field = window.findChild<QLineEdit*>("field");
        field->setFocus();
        QTest::keyClicks(field, "ab");
        QTest::keyClick(field, Qt::Key_Control, Qt::ControlModifier);
        QVERIFY(!window.isVisible());
        QVERIFY(app_->shell.Existing(ToolId::ReglaZol)->isVisible());
        QCOMPARE(field->text(), QString("ab"));
    }

    void closingAnyToolWindowEndsTheProgram() {
        app_->shell.Start();
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(VisibleTool(app_->shell), Qt::Key_Control, Qt::ControlModifier);
        }
        QVERIFY(app_->shell.Existing(ToolId::MemoZol) != nullptr);
        app_->shell.Show(ToolId::DigiZol).close();
        QCOMPARE(app_->ends, 1);
        for (ToolId tool : kAllTools) {
            QVERIFY(!app_->shell.Existing(tool)->isVisible());
        }
    }

  private:
    std::unique_ptr<testing::TestShell> app_;
};

}  // namespace minizol

QTEST_MAIN(minizol::ShellTest)
#include "tst_shell.moc"
