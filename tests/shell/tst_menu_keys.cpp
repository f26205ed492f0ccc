#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <map>

#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

// What is open when the keys come: nothing, a menu opened with the mouse and closed with
// Escape, or a message box over the tool.
enum Before { Nothing, MouseMenu, MessageBox };

// Each key a tool acts on acts once, in the tool or in the menu bar. After the keys no menu is
// open, the tool is still shown, `field` reads `text` and `dialogs` boxes were asked for.
const struct {
    ToolId tool;
    Before before;
    const char* keys;  // space-separated: digits, Up, Down, Right, Esc, PgUp, F1, F2, Ctrl, Alt
    const char* field;
    const char* text;
    std::size_t dialogs;
} kRows[] = {
    {ToolId::EuroZol, MouseMenu, "5 Up Esc", "txtResult", "", 0},
    {ToolId::EuroZol, MouseMenu, "5 Up", "txtResult", "5", 0},
    {ToolId::EuroZol, Nothing, "5 Alt Up Esc Esc 8 Right", "txtResult", "58", 0},
    {ToolId::EuroZol, Nothing, "5 Alt Esc Up Right", "txtResult", "5", 0},
    {ToolId::EuroZol, MessageBox, "5 Ctrl", "txtResult", "", 0},
    {ToolId::DigiZol, MouseMenu, "1 2 3 4 5 6 7 8 Down", "txtLetra(0)", "Z", 0},
    {ToolId::DigiZol, MouseMenu, "1 Esc", "txtDNI", "", 0},
    {ToolId::DigiZol, Nothing, "Alt 1 Esc 2", "txtDNI", "2", 0},
    {ToolId::DigiZol, MessageBox, "Ctrl 1", "txtDNI", "", 0},
    {ToolId::ReglaZol, MouseMenu, "PgUp Down F2", nullptr, nullptr, 1},
    {ToolId::MemoZol, MouseMenu, "F1 Down", nullptr, nullptr, 1},
};

QWidget* KeyTarget(QWidget& window) {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        return popup;
    }
    if (QWidget* box = QApplication::activeModalWidget()) {
        return box->focusWidget() != nullptr ? box->focusWidget() : box;
    }
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus : &window;
}

void Press(QWidget& window, const QString& name) {
    static const std::map<QString, Qt::Key> named = {
        {"Up", Qt::Key_Up},      {"Down", Qt::Key_Down},    {"Right", Qt::Key_Right},
        {"Esc", Qt::Key_Escape}, {"PgUp", Qt::Key_PageUp},  {"F1", Qt::Key_F1},
        {"F2", Qt::Key_F2},      {"Ctrl", Qt::Key_Control}, {"Alt", Qt::Key_Alt}};
    const auto found = named.find(name);
    const Qt::Key key = found != named.end() ? found->second : Qt::Key(name.at(0).unicode());
    const Qt::KeyboardModifiers modifiers = key == Qt::Key_Control ? Qt::ControlModifier
                                            : key == Qt::Key_Alt   ? Qt::AltModifier
                                                                   : Qt::NoModifier;
    QTest::keyClick(KeyTarget(window), key, modifiers);
}

}  // namespace

class MenuKeysTest : public QObject {
    Q_OBJECT

  private slots:
    void eachKeyActsOnce_data() {
        QTest::addColumn<int>("index");
        static const char* const befores[] = {"", "menu opened with the mouse, ", "message box, "};
        int index = 0;
        for (const auto& row : kRows) {
            QTest::addRow("%s, %s%s", ToolName(row.tool).data(), befores[row.before], row.keys)
                << index++;
        }
    }
    void eachKeyActsOnce() {
        QFETCH(int, index);
        const auto& row = kRows[index];
        {
            testing::TestShell app;
            ToolWindow& window = app.shell.Show(row.tool);
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QMessageBox box(&window);
            if (row.before == MouseMenu) {
                QMenuBar* bar = window.menuBar();
                const QRect title = bar->actionGeometry(bar->actions().front());
                QTest::mouseClick(bar, Qt::LeftButton, {}, title.center());
                QVERIFY2(QApplication::activePopupWidget() != nullptr, row.keys);
                Press(window, "Esc");
            } else if (row.before == MessageBox) {
                box.open();
                QVERIFY(QTest::qWaitForWindowActive(&box));
            }
            for (const QString& key : QString(row.keys).split(' ')) {
                Press(window, key);
                // Alt alone lets the user walk the menu bar with the keyboard.
                QVERIFY(key != "Alt" || window.menuBar()->activeAction() != nullptr);
            }
            QVERIFY2(QApplication::activePopupWidget() == nullptr, row.keys);
            QVERIFY2(window.isVisible(), row.keys);
            if (row.field != nullptr) {
                QCOMPARE(window.findChild<QLineEdit*>(row.field)->text(), QString(row.text));
            }
            QCOMPARE(app.dialogs.messages.size() + app.dialogs.inputs.size(), row.dialogs);
        }
    }
};

}  // namespace minizol

QTEST_MAIN(minizol::MenuKeysTest)
#include "tst_menu_keys.moc"
