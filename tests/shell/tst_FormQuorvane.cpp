#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "platform/fonts.h"
#include "shell/FormQuorvane.h"
#include "shell/about_placement.h"
#include "shell/shell.h"
#include "shell/tool_window.h"
#include "shell/tool_windows.h"
#include "support/recording_dialogs.h"

namespace minizol {
namespace {

// Where the backdrop shows, away from every control.
const QPoint kBackdrop(327, 127);

// The middle of a control, or the backdrop, in the window's coordinates.
QPoint Spot(const QWidget& window, const QString& control) {
    return control == "backdrop" ? kBackdrop
                                 : window.findChild<QWidget*>(control)->geometry().center();
}

// Clicks whatever the pointer would hit at `spot`.
void ClickAt(QWidget& window, QPoint spot, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* hit = window.childAt(spot) != nullptr ? window.childAt(spot) : &window;
    QTest::mouseClick(hit, button, {}, hit->mapFrom(&window, spot));
}

bool Underlined(const QWidget& window, const char* link) {
    return window.findChild<QLabel*>(link)->font().underline();
}

QRect Screen() {
    return QGuiApplication::primaryScreen()->geometry();
}

// Runs `show`, which opens `about` modally, and returns where the window stood while open.
template <typename Show>
QRect ModalFrame(FormQuorvane& about, Show show) {
    QRect frame;
    QTimer::singleShot(0, &about, [&] {
        frame = about.frameGeometry();
        about.close();
    });
    show();
    return frame;
}

}  // namespace

class FormQuorvaneTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallFontSubstitutions(); }

    void closeRules_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("closes");
        const std::pair<const char*, Qt::Key> typing[] = {
            {"Enter", Qt::Key_Return},       {"keypad Enter", Qt::Key_Enter},
            {"Escape", Qt::Key_Escape},      {"Space", Qt::Key_Space},
            {"letter", Qt::Key_Q},           {"digit", Qt::Key_7},
            {"Backspace", Qt::Key_Backspace}};
        const std::pair<const char*, Qt::Key> silent[] = {{"Left", Qt::Key_Left},
                                                          {"Up", Qt::Key_Up},
                                                          {"Right", Qt::Key_Right},
                                                          {"Down", Qt::Key_Down},
                                                          {"Shift alone", Qt::Key_Shift},
                                                          {"Ctrl alone", Qt::Key_Control},
                                                          {"F1", Qt::Key_F1}};
        for (auto [name, key] : typing) {
            QTest::newRow(name) << int(key) << QString() << 0 << true;
        }
        for (auto [name, key] : silent) {
            QTest::newRow(name) << int(key) << QString() << 0 << false;
        }
        const int left = Qt::LeftButton;
        QTest::newRow("backdrop") << 0 << "backdrop" << left << true;
        QTest::newRow("logo") << 0 << "imgLogo" << left << true;
        QTest::newRow("rule") << 0 << "Line1" << left << true;
        QTest::newRow("maker's name") << 0 << "lblMas" << left << false;
        QTest::newRow("web link") << 0 << "lblURL" << left << false;
        QTest::newRow("mail link") << 0 << "lblMail" << left << false;
        QTest::newRow("right button") << 0 << "backdrop" << int(Qt::RightButton) << false;
    }
    void closeRules() {
        QFETCH(int, key);
        QFETCH(QString, clicked);
        QFETCH(int, button);
        QFETCH(bool, closes);
        FormQuorvane about(nullptr, [](const QUrl&) { return true; });
        about.show();
        if (clicked.isEmpty()) {
            QTest::keyClick(&about, Qt::Key(key));
        } else {
            ClickAt(about, Spot(about, clicked), Qt::MouseButton(button));
        }
        QCOMPARE(about.isVisible(), !closes);
    }

    void hoverUnderlinesTheLinkUnderThePointer_data() {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<bool>("web");
        QTest::addColumn<bool>("mail");
        QTest::newRow("nowhere yet") << QStringList{} << false << false;
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
        FormQuorvane about(nullptr, [](const QUrl&) { return true; });
        about.show();
        // From the backdrop, so the first step is a real move even where the last row ended.
        QTest::mouseMove(&about, kBackdrop);
        for (const QString& control : path) {
            QTest::mouseMove(&about, Spot(about, control));
        }
        QCOMPARE(Underlined(about, "lblURL"), web);
        QCOMPARE(Underlined(about, "lblMail"), mail);
    }

    void linkClickHandsTheAddressToTheDesktop_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QString>("address");
        QTest::newRow("web") << "lblURL" << true << "http://www.quorvane.example";
        QTest::newRow("mail") << "lblMail" << true << "mailto:info@quorvane.example";
        QTest::newRow("no browser") << "lblURL" << false << "http://www.quorvane.example";
        QTest::newRow("no mail program") << "lblMail" << false << "mailto:info@quorvane.example";
    }
    void linkClickHandsTheAddressToTheDesktop() {
        QFETCH(QString, link);
        QFETCH(bool, opened);
        QFETCH(QString, address);
        QList<QUrl> requested;
        FormQuorvane about(nullptr, [&](const QUrl& url) {
            requested << url;
            return opened;
        });
        about.show();
        ClickAt(about, Spot(about, link));
        QCOMPARE(requested, QList<QUrl>{QUrl(address)});
        QVERIFY(about.isVisible());
        QVERIFY(about.findChild<QMessageBox*>() == nullptr);
    }

    void fixedFrameAndReadableLinks() {
        FormQuorvane about;
        for (const char* name : {"lblURL", "lblMail"}) {
            const auto* link = about.findChild<QLabel*>(name);
            QCOMPARE(link->font().family(), QString("Verdana"));
            QVERIFY(link->font().bold());
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
            const QFontMetrics metrics(link->font());
            QVERIFY2(metrics.horizontalAdvance(link->text()) <= link->width(), name);
            QVERIFY2(metrics.height() <= link->height(), name);
            QVERIFY2(about.rect().contains(link->geometry()), name);
        }
        QCOMPARE(about.findChild<QLabel*>("imgLogo")->pixmap().size(), QSize(133, 132));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(!(about.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(about.windowTitle().trimmed().isEmpty());
    }

    void placementAbovePoint_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("corner");
        const QSize xga(15360, 11520);  // 1024 x 768 pixels; the window is 5100 x 2500 twips
        QTest::newRow("middle") << QPoint(7680, 5760) << xga << QPoint(5130, 3260);
        QTest::newRow("near left edge") << QPoint(1000, 5760) << xga << QPoint(0, 3260);
        QTest::newRow("near right edge") << QPoint(15000, 5760) << xga << QPoint(10260, 3260);
        QTest::newRow("right of screen") << QPoint(20000, 5760) << xga << QPoint(10260, 3260);
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
        QCOMPARE(placed.x, float(corner.x()));
        QCOMPARE(placed.y, float(corner.y()));
    }

    void shownAtAPointStaysOnTheScreen_data() {
        QTest::addColumn<QPoint>("point");  // screen twips
        QTest::addColumn<QString>("flushWith");
        const QRect screen = Screen();
        QTest::newRow("middle") << screen.center() * 15 << "point";
        QTest::newRow("near left edge") << QPoint(30, 6000) << "left";
        QTest::newRow("near right edge") << QPoint((screen.width() - 2) * 15, 6000) << "right";
        QTest::newRow("near top") << QPoint(6000, 30) << "top";
        QTest::newRow("at the bottom") << QPoint(6000, screen.height() * 15) << "band";
    }
    void shownAtAPointStaysOnTheScreen() {
        QFETCH(QPoint, point);
        QFETCH(QString, flushWith);
        FormQuorvane about;
        const QRect frame =
            ModalFrame(about, [&] { about.fShowPosicionado(point.x(), point.y()); });
        const QRect screen = Screen();
        const QPoint bottomMiddle((frame.left() + frame.right() + 1) / 2, frame.bottom() + 1);
        if (flushWith == "point") {
            QVERIFY((bottomMiddle - point / 15).manhattanLength() <= 1);
        } else if (flushWith == "left") {
            QCOMPARE(frame.left(), screen.left());
        } else if (flushWith == "right") {
            QCOMPARE(frame.right(), screen.right());
        } else if (flushWith == "top") {
            QCOMPARE(frame.top(), screen.top());
        } else {
            QCOMPARE(frame.bottom() + 1, screen.bottom() + 1 - 480 / 15);
        }
    }

    void shownCentredOnTheScreen() {
        FormQuorvane about;
        const QRect frame = ModalFrame(about, [&] { about.fShow(); });
        QVERIFY(qAbs(frame.center().x() - Screen().center().x()) <= 1);
        QVERIFY(qAbs(frame.center().y() - Screen().center().y()) <= 1);
    }

    void alwaysOnTopOwnerKeepsTheWindowOnTop() {
        QWidget plain;
        QWidget onTop(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        QVERIFY(!FormQuorvane(&plain).windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(FormQuorvane(&onTop).windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void aboutFromAToolReturnsToIt_data() {
        QTest::addColumn<int>("tool");
        for (ToolId tool : kAllTools) {
            QTest::newRow(ToolName(tool).data()) << int(tool);
        }
    }
    void aboutFromAToolReturnsToIt() {
        QFETCH(int, tool);
        testing::RecordingDialogs dialogs;
        int ends = 0;
        Shell shell(dialogs, [&] { ++ends; });
        RegisterToolWindows(shell);
        shell.SetAboutWindow([](ToolWindow& over) {
            FormQuorvane::ShowOver(over, [](const QUrl&) { return true; });
        });
        ToolWindow& window = shell.Show(ToolId(tool));
        const QPoint centred = window.pos();
        window.move(centred + QPoint(40, 30));

        QString modalName;
        QWidget* owner = nullptr;
        bool overOwner = false, openAfterCtrl = false, closedByEscape = false;
        QTimer::singleShot(0, &window, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) {
                return;
            }
            modalName = modal->objectName();
            owner = modal->parentWidget();
            overOwner = (modal->frameGeometry().center() - window.frameGeometry().center())
                            .manhattanLength() <= 2;
            QTest::keyClick(modal, Qt::Key_Control, Qt::ControlModifier);
            openAfterCtrl = modal->isVisible() && window.isVisible();
            QTest::keyClick(modal, Qt::Key_Escape);
            closedByEscape = !modal->isVisible();
            modal->close();
        });
        window.findChild<QAction*>("mnuAbout")->trigger();

        QCOMPARE(modalName, QString("FormQuorvane"));
        QCOMPARE(owner, &window);
        QVERIFY(overOwner);
        QVERIFY(openAfterCtrl);
        QVERIFY(closedByEscape);
        QVERIFY(window.isVisible());
        QCOMPARE(window.pos(), centred);
        QCOMPARE(ends, 0);
    }
};

}  // namespace minizol

QTEST_MAIN(minizol::FormQuorvaneTest)
#include "tst_FormQuorvane.moc"
