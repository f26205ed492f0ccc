#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <optional>
#include <set>

#include "platform/accessibility.h"
#include "shell/FormQuorvane.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

// Names a screen reader must find in each window (the About window has no tool).
const struct {
    std::optional<ToolId> tool;
    QStringList names;
} kWindows[] = {
    {ToolId::EuroZol, {"Pantalla", "0 Ptas.", "0,00 Euros.", "Sin operación pendiente"}},
    {ToolId::DigiZol,
     {"DNI, NIE o CIF", "Letra de control", "Entidad", "Oficina", "Número de cuenta",
      "Dígitos de control", "IBAN", "ISBN", "Dígito de control del ISBN", "DNI/NIF:", "Banco:"}},
    {ToolId::ReglaZol, {"Regla"}},
    {ToolId::MemoZol, {"Estado de la memoria"}},
    {std::nullopt,
     {"Acerca de MiniZol", "www.quorvane.example", "info@quorvane.example", "Logotipo"}},
};

std::vector<std::pair<QAccessible::Event, QObject*>> events;

// The names of the controls a user reads, and of every other control that has one.
void Walk(QAccessibleInterface* node, QStringList& names) {
    const QSet<QAccessible::Role> read = {QAccessible::EditableText, QAccessible::StaticText,
                                          QAccessible::Link, QAccessible::Graphic};
    if (read.contains(node->role()) || !node->text(QAccessible::Name).isEmpty()) {
        names << node->text(QAccessible::Name);
    }
    for (int i = 0; i < node->childCount(); ++i) {
        Walk(node->child(i), names);
    }
}

int EventsFor(QObject* object, std::set<QAccessible::Event> types) {
    return static_cast<int>(std::count_if(events.begin(), events.end(), [&](const auto& event) {
        return event.second == object && types.contains(event.first);
    }));
}

QString Read(QWidget* control, QAccessible::Text what) {
    return QAccessible::queryAccessibleInterface(control)->text(what);
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // Without a screen reader the toolkit sends no updates: a test stands in for one.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler(
            [](QAccessibleEvent* event) { events.emplace_back(event->type(), event->object()); });
    }
    void init() { events.clear(); }

    void everyControlHasItsOwnName() {
        for (const auto& window : kWindows) {
            testing::TestShell app;
            FormQuorvane about(app.dialogs);
            QWidget& shown =
                window.tool ? static_cast<QWidget&>(app.shell.Show(*window.tool)) : about;
            QStringList names;
            Walk(QAccessible::queryAccessibleInterface(&shown), names);
            for (const QString& name : window.names) {
                QVERIFY2(names.contains(name), qPrintable(name));
            }
            QVERIFY2(!names.contains(QString()), qPrintable(names.join('|')));
            QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        }
    }

    // EuroZol's display is read as an available, read-only display that cannot take the focus.
    void theDisplayIsAvailableButNeverFocused() {
        testing::TestShell app;
        QWidget* display = app.shell.Show(ToolId::EuroZol).findChild<QWidget*>("txtResult");
        const QAccessible::State state = QAccessible::queryAccessibleInterface(display)->state();
        QVERIFY(!state.disabled && state.readOnly && !state.focusable);
    }

    // A red box says so in words, and why, and stops saying it with the red.
    void redIsToldInWords() {
        const struct {
            const char* field;
            const char* text;
            const char* box;
            const char* description;  // "" while the box is not red
        } steps[] = {
            {"txtDNI", "1234567A", "txtLetra(0)",
             "Incorrecto: la letra no corresponde; corresponde la L"},
            {"txtDNI", "12345678", "txtLetra(0)", ""},
            {"txtISBN", "0306406153", "txtDigitoISBN",
             "Incorrecto: la cifra de control no corresponde; corresponde el 2"},
            {"txtISBN", "", "txtDigitoISBN", ""},
        };
        testing::TestShell app;
        ToolWindow& window = app.shell.Show(ToolId::DigiZol);
        for (const auto& step : steps) {
            auto* box = window.findChild<QLineEdit*>(step.box);
            const bool wasRed = box->palette().color(QPalette::Base) == Qt::red;
            events.clear();
            window.findChild<QLineEdit*>(step.field)->setText(step.text);
            const bool red = box->palette().color(QPalette::Base) == Qt::red;
            QVERIFY2(red != wasRed, step.text);
            QCOMPARE(Read(box, QAccessible::Description), step.description);
            QCOMPARE(box->toolTip(), step.description);
            QCOMPARE(EventsFor(box, {QAccessible::DescriptionChanged}), 1);
        }
    }

    void changesAreAnnouncedButNotTheMemoryRefresh() {
        testing::TestShell app;
        ToolWindow& euro = app.shell.Show(ToolId::EuroZol);
        QTest::keyClicks(&euro, "5+");
        for (const char* name : {"txtResult", "lblPtas", "lblEuros", "lblOpera"}) {
            QVERIFY2(EventsFor(euro.findChild<QWidget*>(name),
                               {QAccessible::TextInserted, QAccessible::TextUpdated,
                                QAccessible::NameChanged}) > 0,
                     name);
        }
        QCOMPARE(Read(euro.findChild<QWidget*>("lblOpera"), QAccessible::Name), "+");

        ToolWindow& ruler = app.shell.Show(ToolId::ReglaZol);
        ruler.resize(ruler.size() + QSize(10, 0));
        QWidget* client = ruler.findChild<QWidget*>("client");
        QTRY_COMPARE(Read(client, QAccessible::Description), "Mide 210 x 100 píxeles");
        QVERIFY(EventsFor(client, {QAccessible::DescriptionChanged}) > 0);

        ToolWindow& memory = app.shell.Show(ToolId::MemoZol);
        QWidget* report = memory.findChild<QWidget*>("Label1");
        events.clear();
        // Three refreshes of the report: none is announced.
        for (int tick = 0; tick < 3; ++tick) {
            QVERIFY(QSignalSpy(memory.findChild<QTimer*>("Timer1"), &QTimer::timeout).wait());
        }
        QCOMPARE(EventsFor(report, {QAccessible::NameChanged, QAccessible::DescriptionChanged,
                                    QAccessible::TextUpdated}),
                 0);
        QVERIFY(Read(report, QAccessible::Description).contains("memory"));
    }

    // A label reads as the toolkit shows it: the "&" of a mnemonic is not shown and "&&" shows
    // one; a label that goes to no control has no mnemonic and shows every "&".
    void labelsReadAsTheyShow() {
        const struct {
            const char* caption;
            bool goesToAControl;
            const char* read;
        } labels[] = {
            {"&Mostrar:", true, "Mostrar:"},
            {"Co&lumnas:", true, "Columnas:"},
            {"Pérez && &Gil:", true, "Pérez & Gil:"},
            {"Pérez & Gil", false, "Pérez & Gil"},
        };
        for (const auto& label : labels) {
            QWidget window;
            auto* shown = new QLabel(QString::fromUtf8(label.caption), &window);
            shown->setObjectName("lblPrueba");
            if (label.goesToAControl) {
                shown->setBuddy(new QLineEdit(&window));
            }
            const AccessibleText texts[] = {{"lblPrueba", Reading::ItsText, "Prueba"}};
            NameControls(window, texts);
            QCOMPARE(Read(shown, QAccessible::Name), QString::fromUtf8(label.read));
        }
    }

    void linksAreFollowedAsLinks() {
        QStringList opened;
        testing::RecordingDialogs dialogs;
        FormQuorvane about(dialogs, nullptr,
                           [&](const QUrl& url) { return opened << url.toString(), true; });
        for (const char* name : {"lblURL", "lblMail"}) {
            QAccessibleInterface* link =
                QAccessible::queryAccessibleInterface(about.findChild<QWidget*>(name));
            QCOMPARE(link->role(), QAccessible::Link);
            link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        QCOMPARE(opened,
                 QStringList({"http://www.quorvane.example", "mailto:info@quorvane.example"}));
    }
};

}  // namespace minizol

QTEST_MAIN(minizol::AccessibilityTest)
#include "tst_accessibility.moc"
