#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

#include "platform/fonts.h"
#include "shell/shell.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

ToolWindow* VisibleTool(const Shell& shell) {
    for (ToolId tool : kAllTools) {
        if (shell.Existing(tool) != nullptr && shell.Existing(tool)->isVisible()) {
            return shell.Existing(tool);
        }
    }
    return nullptr;
}

// Keys pressed after a menu opened with the mouse ("Menu"), while the menu bar is walked after
// Alt, or over a message box ("Box"): each key a tool acts on acts once, in the tool or in the
// menu bar. Then no menu is open, the tool is still shown, `field` reads `text` and `dialogs`
// boxes were asked for.
const struct {
    ToolId tool;
    const char* keys;
    const char* field;
    const char* text;
    std::size_t dialogs;
} kKeyRows[] = {
    {ToolId::EuroZol, "Menu Esc 5 Up Esc", "txtResult", "", 0},
    {ToolId::EuroZol, "Menu Esc 5 Up", "txtResult", "5", 0},
    {ToolId::EuroZol, "5 Alt Up Esc Esc 8 Right", "txtResult", "58", 0},
    {ToolId::EuroZol, "5 Alt Esc Up Right", "txtResult", "5", 0},
    {ToolId::EuroZol, "Box 5 Ctrl", "txtResult", "", 0},
    {ToolId::DigiZol, "Menu Esc 1 2 3 4 5 6 7 8 Down", "txtLetra(0)", "Z", 0},
    {ToolId::DigiZol, "Menu Esc 1 Esc", "txtDNI", "", 0},
    {ToolId::DigiZol, "Alt 1 Esc 2", "txtDNI", "2", 0},
    {ToolId::DigiZol, "Box Ctrl 1", "txtDNI", "", 0},
    {ToolId::ReglaZol, "Menu Esc PgUp Down F2", nullptr, nullptr, 1},
    {ToolId::MemoZol, "Menu Esc F1 Down", nullptr, nullptr, 1},
};

void Press(ToolWindow& window, const QString& name) {
    if (name == "Menu") {
        QMenuBar* bar = window.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions()[0]).center());
        QVERIFY(QApplication::activePopupWidget() != nullptr);
        return;
    }
    if (name == "Box") {
        (new QMessageBox(&window))->open();
        return;
    }
    static const QMap<QString, Qt::Key> named = {
        {"Up", Qt::Key_Up},      {"Down", Qt::Key_Down},    {"Right", Qt::Key_Right},
        {"Esc", Qt::Key_Escape}, {"PgUp", Qt::Key_PageUp},  {"F1", Qt::Key_F1},
        {"F2", Qt::Key_F2},      {"Ctrl", Qt::Key_Control}, {"Alt", Qt::Key_Alt}};
    const Qt::Key key = named.value(name, Qt::Key(name[0].unicode()));
    QWidget* target = QApplication::activePopupWidget();
    for (QWidget* next : {QApplication::activeModalWidget(), QApplication::focusWidget()}) {
        target = target != nullptr ? target : next;
    }
    QTest::keyClick(target != nullptr ? target : &window, key,
                    key == Qt::Key_Control ? Qt::ControlModifier
                    : key == Qt::Key_Alt   ? Qt::AltModifier
                                           : Qt::NoModifier);
    // Alt alone lets the user walk the menu bar with the keyboard.
    QVERIFY(key != Qt::Key_Alt || window.menuBar()->activeAction() != nullptr);
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

    void eachKeyActsOnce_data() {
        QTest::addColumn<int>("row");
        for (std::size_t row = 0; row < std::size(kKeyRows); ++row) {
            QTest::addRow("%s: %s", ToolName(kKeyRows[row].tool).data(), kKeyRows[row].keys)
                << static_cast<int>(row);
        }
    }
    void eachKeyActsOnce() {
        QFETCH(int, row);
        const auto& keys = kKeyRows[row];
        ToolWindow& window = app_->shell.Show(keys.tool);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (const QString& key : QString(keys.keys).split(' ')) {
            Press(window, key);
        }
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        QVERIFY(window.isVisible());
        if (keys.field != nullptr) {
            QCOMPARE(window.findChild<QLineEdit*>(keys.field)->text(), QString(keys.text));
        }
        QCOMPARE(app_->dialogs.messages.size() + app_->dialogs.inputs.size(), keys.dialogs);
    }

  private:
    std::unique_ptr<testing::TestShell> app_;
};

}  // namespace minizol

QTEST_MAIN(minizol::ShellTest)
#include "tst_shell.moc"
