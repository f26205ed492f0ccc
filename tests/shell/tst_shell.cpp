#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

#include "shell/FormQuorvane.h"
#include "shell/shell.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

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

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { app_ = std::make_unique<testing::TestShell>(); }
    void cleanup() { app_.reset(); }

    // Start shows EuroZol alone, centred. Twice round the Ctrl cycle, each tool keeps its state
    // and builds its tools menu once: the four tools, its own entry greyed out, "..." hidden.
    void startAndTheCtrlCycle() {
        app_->shell.Start();
        ToolWindow* current = app_->shell.Existing(ToolId::EuroZol);
        QVERIFY(current->isVisible() && app_->shell.Existing(ToolId::DigiZol) == nullptr);
        const QPoint offset = current->frameGeometry().center() -
                              QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1);
        QTest::keyClicks(current, "12");
        const ToolId cycle[] = {ToolId::DigiZol, ToolId::ReglaZol, ToolId::MemoZol,
                                ToolId::EuroZol};
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(current, Qt::Key_Control, Qt::ControlModifier);
            ToolWindow* shown = app_->shell.Existing(cycle[i % 4]);
            QVERIFY2(shown != nullptr && shown->isVisible() && !current->isVisible(),
                     ToolName(cycle[i % 4]).data());
            QCOMPARE(shown->windowTitle(), QString("MiniZol 3.0"));
            current = shown;
        }
        QCOMPARE(current->findChild<QLineEdit*>("txtResult")->text(), QString("12"));
        // Each tools menu: "(más)", the visible entries in order, "-" after a greyed-out one.
        for (ToolId tool : kAllTools) {
            const auto* menu = app_->shell.Existing(tool)->findChild<QMenu*>("mnuApp");
            QString entries = menu->title();
            for (const QAction* entry : menu->actions()) {
                if (entry->isVisible()) {
                    entries += " " + entry->text() + (entry->isEnabled() ? "" : "-");
                }
            }
            QString expected = "(más) EuroZol DigiZol ReglaZol MemoZol";
            QCOMPARE(entries,
                     expected.replace(ToolName(tool).data(), ToolName(tool).data() + QString("-")));
        }
    }

    // The sun on every tool window and on the About window, over a tool or alone; a message
    // box takes the icon of the window it opens over.
    void everyWindowCarriesTheSun() {
        const QImage sun = QPixmap(":/minizol/minizol-32.png").toImage();
        const auto carriesSun = [&](const QWidget& window) {
            return window.windowIcon().pixmap(32, 32).toImage() == sun;
        };
        QVERIFY(carriesSun(FormQuorvane(app_->dialogs)));
        for (ToolId tool : kAllTools) {
            ToolWindow& window = app_->shell.Show(tool);
            const QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Ok, &window);
            QVERIFY2(carriesSun(window) && carriesSun(FormQuorvane(app_->dialogs, &window)) &&
                         carriesSun(box),
                     ToolName(tool).data());
        }
    }

    void closingAnyToolWindowEndsTheProgram() {
        for (ToolId tool : kAllTools) {
            app_->shell.Show(tool);
        }
        app_->shell.Existing(ToolId::DigiZol)->close();
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
