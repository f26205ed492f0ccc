#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "platform/fonts.h"
#include "shell/FormQuorvane.h"
#include "shell/about_placement.h"
#include "shell/shell.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

const QPoint kBackdrop(327, 127);  // away from every control
const UrlOpener kAccept = [](const QUrl&) { return true; };

QPoint Spot(const QWidget& window, const QString& control) {
    return control == "backdrop" ? kBackdrop
                                 : window.findChild<QWidget*>(control)->geometry().center();
}

// Clicks whatever the pointer would hit at `spot`.
void ClickAt(QWidget& window, QPoint spot, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* hit = window.childAt(spot) != nullptr ? window.childAt(spot) : &window;
    QTest::mouseClick(hit, button, {}, hit->mapFrom(&window, spot));
}

}  // namespace

class FormQuorvaneTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallFontSubstitutions(); }

    void closeRules_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<bool>("closes");
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space, Qt::Key_Q,
                        Qt::Key_7, Qt::Key_Backspace}) {
            QTest::addRow("key %x", key) << key << QString() << true;
        }
        for (int key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Shift,
                        Qt::Key_Control, Qt::Key_F1}) {
            QTest::addRow("key %x", key) << key << QString() << false;
        }
        for (auto [control, closes] : {std::pair{"backdrop", true},
                                       {"imgLogo", true},
                                       {"Line1", true},
                                       {"lblMas", false},
                                       {"lblURL", false},
                                       {"lblMail", false},
                                       {"right button", false}}) {
            QTest::newRow(control) << 0 << QString(control) << closes;
        }
    }
    void closeRules() {
        QFETCH(int, key);
        QFETCH(QString, clicked);
        QFETCH(bool, closes);
        FormQuorvane about(nullptr, kAccept);
        about.show();
        if (key != 0) {
            QTest::keyClick(&about, Qt::Key(key));
        } else if (clicked == "right button") {
            ClickAt(about, kBackdrop, Qt::RightButton);
        } else {
            ClickAt(about, Spot(about, clicked));
        }
        QCOMPARE(about.isVisible(), !closes);
    }

    void hoverUnderlinesTheLinkUnderThePointer_data() {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<bool>("web");
        QTest::addColumn<bool>("mail");
        QTest::newRow("web") << QStringList{"lblURL"} << true << false;
        QTest::newRow("web to mail") << QStringList{"lblURL", "lblMail"} << false << true;
        QTest::newRow("mail to web") << QStringList{"lblMail", "lblURL"} << true << false;
        QTest::newRow("web to backdrop") << QStringList{"lblURL", "backdrop"} << false << false;
        QTest::newRow("mail to rule") << QStringList{"lblMail", "Line2"} << false << false;
        QTest::newRow("mail to name") << QStringList{"lblMail", "lblMas"} << false << true;
        QTest::newRow("web to logo") << QStringList{"lblURL", "imgLogo"} << true << false;
    }
    void hoverUnderlinesTheLinkUnderThePointer() {
        QFETCH(QStringList, path);
        QFETCH(bool, web);
        QFETCH(bool, mail);
        FormQuorvane about(nullptr, kAccept);
        about.show();
        // From the backdrop, so the first step is a real move even where the last row ended.
        for (const QString& control : QStringList{"backdrop"} + path) {
            QTest::mouseMove(&about, Spot(about, control));
        }
        QCOMPARE(about.findChild<QLabel*>("lblURL")->font().underline(), web);
        QCOMPARE(about.findChild<QLabel*>("lblMail")->font().underline(), mail);
    }

    void linkClickHandsTheAddressToTheDesktop_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("taken");  // whether a program took the address
        QTest::addColumn<QString>("address");
        QTest::newRow("web") << "lblURL" << true << "http://www.quorvane.example";
        QTest::newRow("mail") << "lblMail" << true << "mailto:info@quorvane.example";
        QTest::newRow("no mail program") << "lblMail" << false << "mailto:info@quorvane.example";
    }
    void linkClickHandsTheAddressToTheDesktop() {
        QFETCH(QString, link);
        QFETCH(bool, taken);
        QFETCH(QString, address);
        QList<QUrl> requested;
        FormQuorvane about(nullptr, [&](const QUrl& url) { return requested << url, taken; });
        about.show();
        ClickAt(about, Spot(about, link));
        QCOMPARE(requested, QList<QUrl>{QUrl(address)});
        QVERIFY(about.isVisible());
        QCOMPARE(QApplication::topLevelWidgets().size(), 1);  // no message about a failure
    }

    void linksShowWholeAboveAnOnTopOwner() {
        QWidget onTop(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        FormQuorvane about(&onTop);
        for (const char* name : {"lblURL", "lblMail"}) {
            const auto* link = about.findChild<QLabel*>(name);
            const QSize text = QFontMetrics(link->font()).size(0, link->text());
            QVERIFY(text.width() <= link->width() && text.height() <= link->height());
            QVERIFY(about.rect().contains(link->geometry()));
        }
        QVERIFY(about.windowFlags() & Qt::WindowStaysOnTopHint);  // else hidden by its owner
    }

    void placementAbovePoint_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("corner");
        const QSize xga(15360, 11520);  // 1024 x 768 pixels; the window is 5100 x 2500 twips
        QTest::newRow("middle") << QPoint(7680, 5760) << xga << QPoint(5130, 3260);
        QTest::newRow("near left edge") << QPoint(1000, 5760) << xga << QPoint(0, 3260);
        QTest::newRow("near right edge") << QPoint(15000, 5760) << xga << QPoint(10260, 3260);
        QTest::newRow("near top") << QPoint(7680, 1000) << xga << QPoint(5130, 0);
        QTest::newRow("above band") << QPoint(7680, 11000) << xga << QPoint(5130, 8500);
        QTest::newRow("in band") << QPoint(7680, 11200) << xga << QPoint(5130, 8540);
        QTest::newRow("bottom right") << QPoint(15360, 11520) << xga << QPoint(10260, 8540);
        QTest::newRow("top left outside") << QPoint(-500, -500) << xga << QPoint(0, 0);
        QTest::newRow("past 16 bits")
            << QPoint(50000, 20000) << QSize(57600, 32400) << QPoint(47450, 17500);
        QTest::newRow("screen too small")
            << QPoint(2800, 3000) << QSize(3000, 2000) << QPoint(0, 0);
    }
    void placementAbovePoint() {
        QFETCH(QPoint, point);
        QFETCH(QSize, screen);
        QFETCH(QPoint, corner);
        const TwipsPoint placed =
            PlacedAbovePoint({float(point.x()), float(point.y())}, {5100.0f, 2500.0f},
                             {float(screen.width()), float(screen.height())});
        QCOMPARE(QPointF(placed.x, placed.y), QPointF(corner));
    }

    void shownAtTheScreenCornerKeepsClearOfTheBand() {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        FormQuorvane about;
        QRect frame;
        QTimer::singleShot(0, &about, [&] { frame = about.frameGeometry(), about.close(); });
        about.fShowPosicionado(screen.width() * 15, screen.height() * 15);
        QCOMPARE(frame.right(), screen.right());
        QCOMPARE(frame.bottom(), screen.bottom() - 480 / 15);
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
        Shell& shell = app.shell;
        shell.SetAboutWindow([](ToolWindow& over) { FormQuorvane::ShowOver(over, kAccept); });
        ToolWindow& window = shell.Show(tool);
        const QPoint centred = window.pos();
        window.move(centred + QPoint(40, 30));

        QString seen;  // the modal window, its owner, and what Ctrl and Escape did to it
        QTimer::singleShot(0, &window, [&] {
            QWidget* about = QApplication::activeModalWidget();
            if (about == nullptr) {
                return;
            }
            const QPoint offset = about->frameGeometry().center() - window.frameGeometry().center();
            seen = about->objectName() + (about->parentWidget() == &window ? " over" : " apart");
            seen += offset.manhattanLength() <= 2 ? " centred" : " off-centre";
            QTest::keyClick(about, Qt::Key_Control, Qt::ControlModifier);
            seen += about->isVisible() && window.isVisible() ? " stays" : " gone";
            QTest::keyClick(about, Qt::Key_Escape);
            seen += about->isVisible() ? " open" : " closed";
            about->close();
        });
        window.findChild<QAction*>("mnuAbout")->trigger();

        QCOMPARE(seen, QString("FormQuorvane over centred stays closed"));
        QVERIFY(window.isVisible());
        QCOMPARE(window.pos(), centred);
        QCOMPARE(app.ends, 0);
    }
};

}  // namespace minizol

QTEST_MAIN(minizol::FormQuorvaneTest)
#include "tst_FormQuorvane.moc"
