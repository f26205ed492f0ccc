#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMetaEnum>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "platform/fonts.h"
#include "shell/FormQuorvane.h"
#include "shell/about_placement.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {

// What pointer moves, clicks and key presses leave: the window "open" or "closed", the link
// underlined, the addresses handed to the desktop.
const std::pair<const char*, const char*> kSteps[] = {
    {"press Key_Return", "closed"},
    {"press Key_Escape", "closed"},
    {"press Key_Q", "closed"},
    {"press Key_Left, press Key_Down, press Key_Shift, press Key_Control, press Key_F1", "open"},
    {"click backdrop", "closed"},
    {"click imgLogo", "closed"},
    {"click Line1", "closed"},
    {"click lblMas, right-click backdrop, right-click imgLogo", "open"},
    {"click lblURL", "open http://www.quorvane.example"},
    {"click lblMail", "open mailto:info@quorvane.example"},
    {"move lblURL, move lblMail", "open lblMail"},
    {"move lblURL, move backdrop", "open"},
    {"move lblMail, move Line2", "open"},  // a rule is backdrop
    {"move lblMail, move lblMas", "open lblMail"},
    {"move lblURL, move imgLogo", "open lblURL"},
};

class FormQuorvaneTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void init() { dialogs_ = {}; }

    void pointerAndKeys_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("outcome");
        for (auto [steps, outcome] : kSteps) {
            QTest::newRow(steps) << QString(steps) << QString(outcome);
        }
    }
    void pointerAndKeys() {
        QFETCH(QString, steps);
        QStringList seen;
        FormQuorvane about(dialogs_, nullptr,
                           [&](const QUrl& url) { return seen << url.toString(), true; });
        about.show();
        // From the backdrop, so that the first move is a real one wherever the last row ended.
        for (const QString& step : ("move backdrop, " + steps).split(", ")) {
            const QString name = step.section(' ', 1);
            if (step.startsWith("press")) {
                const int key = QMetaEnum::fromType<Qt::Key>().keyToValue(qPrintable(name));
                QTest::keyClick(&about, Qt::Key(key));
                continue;
            }
            const QPoint spot = name == "backdrop"
                                    ? QPoint(327, 127)  // away from every control
                                    : about.findChild<QWidget*>(name)->geometry().center();
            QWidget* hit = about.childAt(spot) != nullptr ? about.childAt(spot) : &about;
            const QPoint at = hit->mapFrom(&about, spot);
            if (step.startsWith("move")) {
                QTest::mouseMove(hit, at);
            } else {
                QTest::mouseClick(hit, step.startsWith("right") ? Qt::RightButton : Qt::LeftButton,
                                  {}, at);
            }
        }
        for (const char* link : {"lblMail", "lblURL"}) {
            if (about.findChild<QLabel*>(link)->font().underline()) {
                seen.prepend(link);
            }
        }
        seen.prepend(about.isVisible() ? "open" : "closed");
        QTEST(seen.join(' '), "outcome");
        QCOMPARE(QApplication::topLevelWidgets().size(), 1);
    }

    // A link no program takes says so and gives the address to copy; the window stays open.
    void anAddressNoProgramTakesIsGiven_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("message");
        QTest::newRow("web taken") << "lblURL" << true << "";
        QTest::newRow("web not taken") << "lblURL" << false
                                       << "No se ha podido abrir el navegador.\r\n"
                                          "La dirección es: http://www.quorvane.example";
        QTest::newRow("mail taken") << "lblMail" << true << "";
        QTest::newRow("mail not taken") << "lblMail" << false
                                        << "No se ha podido abrir el programa de correo.\r\n"
                                           "La dirección es: info@quorvane.example";
    }
    void anAddressNoProgramTakesIsGiven() {
        QFETCH(QString, link);
        QFETCH(bool, taken);
        FormQuorvane about(dialogs_, nullptr, [&](const QUrl&) { return taken; });
        about.show();
        QTest::mouseClick(about.findChild<QWidget*>(link), Qt::LeftButton);
        QStringList shown;
        for (const auto& message : dialogs_.messages) {
            QVERIFY(message.icon == MessageIcon::Information && message.title == "MiniZol");
            shown << message.text;
        }
        QTEST(shown.join(" | "), "message");
        QVERIFY(about.isVisible());
    }

    void staysAboveAnOnTopOwner() {
        QWidget onTop(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        QVERIFY(FormQuorvane(dialogs_, &onTop).windowFlags() & Qt::WindowStaysOnTopHint);
    }

    void placementAbovePoint() {
        // The corner of the window (5100 x 2500 twips) above a point, all in twips.
        const TwipsSize xga{15360, 11520};
        const struct {
            TwipsPoint point;
            TwipsSize screen;
            TwipsPoint corner;
        } cases[] = {
            {{7680, 5760}, xga, {5130, 3260}},                 // middle
            {{-500, -500}, xga, {0, 0}},                       // off the top left
            {{15360, 11520}, xga, {10260, 8540}},              // bottom right: above the task bar
            {{50000, 20000}, {57600, 32400}, {47450, 17500}},  // past 16 bits
            {{2800, 3000}, {3000, 2000}, {0, 0}},              // a screen too small
        };
        for (const auto& c : cases) {
            const TwipsPoint placed = PlacedAbovePoint(c.point, {5100, 2500}, c.screen);
            QCOMPARE(QPointF(placed.x, placed.y), QPointF(c.corner.x, c.corner.y));
        }
    }

    void shownAtTheScreenCornerKeepsClearOfTheBand() {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        FormQuorvane about(dialogs_);
        QRect frame;
        QTimer::singleShot(0, &about, [&] { frame = about.frameGeometry(), about.close(); });
        about.fShowPosicionado(screen.width() * 15, screen.height() * 15);
        QCOMPARE(frame.bottomRight(), screen.bottomRight() - QPoint(0, 480 / 15));
    }

    void aboutFromAToolReturnsToIt_data() {
        QTest::addColumn<ToolId>("tool");
        for (ToolId tool : kAllTools) {
            QTest::newRow(ToolName(tool).data()) << tool;
        }
    }
    void aboutFromAToolReturnsToIt() {
        QFETCH(ToolId, tool);
        testing::TestShell app;
        app.shell.SetAboutWindow(
            [](ToolWindow& over) { FormQuorvane::ShowOver(over, over.shell().dialogs(), {}); });
        ToolWindow& window = app.shell.Show(tool);
        const QPoint centred = window.pos();
        window.move(centred + QPoint(40, 30));
        QString seen;  // the modal window, its owner, and what Ctrl did to it
        QTimer::singleShot(0, &window, [&] {
            if (QWidget* about = QApplication::activeModalWidget()) {
                const QPoint offset =
                    about->frameGeometry().center() - window.frameGeometry().center();
                seen =
                    about->objectName() + (about->parentWidget() == &window ? " over" : " apart");
                seen += offset.manhattanLength() <= 2 ? " centred" : " off-centre";
                QTest::keyClick(about, Qt::Key_Control, Qt::ControlModifier);
                seen += about->isVisible() && window.isVisible() ? " stays" : " gone";
                about->close();
            }
        });
        window.findChild<QAction*>("mnuAbout")->trigger();
        QCOMPARE(seen, "FormQuorvane over centred stays");
        QVERIFY(window.isVisible() && app.ends == 0);
        QCOMPARE(window.pos(), centred);
    }

  private:
    testing::RecordingDialogs dialogs_;
};

}  // namespace minizol

QTEST_MAIN(minizol::FormQuorvaneTest)
#include "tst_FormQuorvane.moc"
