#include <QAction>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <climits>

#include "ruler/frmReglazol.h"
#include "shell/shell.h"
#include "shell/window_alpha.h"
#include "support/test_shell.h"

namespace minizol {

class ReglazolWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        app_ = std::make_unique<testing::TestShell>();
        window_ = static_cast<frmReglazol*>(&app_->shell.Show(ToolId::ReglaZol));
        // The menu shortcuts (F1, F2) answer only in the active window.
        QVERIFY(QTest::qWaitForWindowActive(window_));
    }
    void cleanup() { app_.reset(); }

    void startsAtTwoHundredByOneHundredAndAlphaTwoHundred() {
        frmReglazol hidden(app_->shell);  // measured already while loading, before it is shown
        for (frmReglazol* window : {window_, &hidden}) {
            QCOMPARE(window->findChild<QMenu*>("mnuOpciones")->title(), "Regla (200 x 100)");
            QCOMPARE(window->findChild<QWidget*>("client")->size(), QSize(220, 120));
            QCOMPARE(window->RulerAlpha(), 200);
        }
        CheckOpacity(200);
        CheckCentred();
    }

    void pageKeysStepTheAlpha_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QList<int>>("alphas");  // after each press
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 0
                                 << QList<int>{210, 220, 230, 240, 250, 250};
        QTest::newRow("Page Down")
            << int(Qt::Key_PageDown) << 0
            << QList<int>{190, 180, 170, 160, 150, 140, 130, 120, 110, 100, 90, 80, 70, 60, 50, 50};
        QTest::newRow("Shift and Alt are not looked at")
            << int(Qt::Key_PageUp) << int(Qt::ShiftModifier | Qt::AltModifier)
            << QList<int>{210, 220};
    }
    void pageKeysStepTheAlpha() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QList<int>, alphas);
        for (int alpha : alphas) {
            QTest::keyClick(window_, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QCOMPARE(window_->RulerAlpha(), alpha);
            CheckOpacity(alpha);
        }
    }

    void sizeDialog_data() {
        QTest::addColumn<QStringList>("replies");  // a null string cancels
        QTest::addColumn<QStringList>("defaults");
        QTest::addColumn<QSize>("client");
        const QString point = QLocale::system().decimalPoint();
        const QString group = QLocale::system().groupSeparator();
        const QSize unchanged(220, 120);
        const auto row = [](const char* name, QStringList replies, QStringList defaults,
                            QSize client) { QTest::newRow(name) << replies << defaults << client; };
        row("accepted", {"  300X150 "}, {"200x100"}, {320, 170});
        row("blanks beside the x", {"1000 x 0"}, {"200x100"}, {1020, 20});
        row("rejected texts come back trimmed in capitals",
            {"300", " 300x", "x150", "3x1x2", "abc ", "1001x1", "1x-1", "99999999999x1", "ñx1", {}},
            {"200x100", "300", "300X", "X150", "3X1X2", "ABC", "1001X1", "1X-1", "99999999999X1",
             "ÑX1"},
            unchanged);
        row("rejected, then accepted", {"abc", "40x30"}, {"200x100", "ABC"}, {60, 50});
        row("cancel", {QString()}, {"200x100"}, unchanged);
        row("blanks only", {"   "}, {"200x100"}, unchanged);
        row("half to even, down", {"100" + point + "5x20"}, {"200x100"}, {120, 40});
        row("half to even, up", {"101" + point + "5x20"}, {"200x100"}, {122, 40});
        row("thousands grouped", {"1" + group + "000x10"}, {"200x100"}, {1020, 30});
        row("a group separator is no decimal separator", {"10" + group + "5x2", {}},
            {"200x100", "10" + group + "5X2"}, unchanged);
    }
    void sizeDialog() {
        QFETCH(QStringList, replies);
        QFETCH(QStringList, defaults);
        QFETCH(QSize, client);
        const QPoint moved = window_->pos() + QPoint(37, 23);
        window_->move(moved);
        app_->dialogs.replies = replies;
        QTest::keyClick(window_, Qt::Key_F2);

        QStringList shownDefaults;
        for (const auto& asked : app_->dialogs.inputs) {
            QCOMPARE(asked.prompt, "Selecciona un tamaño (AAAxBBB).");
            QCOMPARE(asked.title, "MiniZol");
            shownDefaults << asked.defaultText;
        }
        QCOMPARE(shownDefaults, defaults);
        QCOMPARE(app_->dialogs.messages.size(), static_cast<std::size_t>(defaults.size() - 1));
        for (const auto& shown : app_->dialogs.messages) {
            QCOMPARE(shown.text, "Tamaño no válido.");
            QCOMPARE(shown.icon, MessageIcon::Exclamation);
            QCOMPARE(shown.title, "MiniZol");
        }
        QCOMPARE(Client()->size(), client);
        QCOMPARE(Caption(), Measured(client));
        if (client == QSize(220, 120)) {
            QCOMPARE(window_->pos(), moved);
        } else {
            CheckCentred();
        }
    }

    void resizeUpdatesTheCaption_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QString>("caption");
        QTest::newRow("600 x 400") << QSize(620, 420) << "Regla (600 x 400)";
        QTest::newRow("inside the margins") << QSize(15, 7) << "Regla (-5 x -13)";
        // The toolkit unmaps a window with no area: one client pixel is kept.
        QTest::newRow("nothing") << QSize(0, 0) << "Regla (-19 x -19)";
        QTest::newRow("8000 x 5000") << QSize(8020, 5020) << "Regla (8000 x 5000)";
    }
    void resizeUpdatesTheCaption() {
        QFETCH(QSize, client);
        window_->resize(client + window_->size() - Client()->size());
        QTEST(Caption(), "caption");
        QCOMPARE(Client()->width(), window_->width());
        QVERIFY(window_->rect().contains(Client()->geometry()));
    }

    void paintsTheFrameAndBothScales_data() {
        QTest::addColumn<QSize>("client");
        QTest::newRow("start") << QSize(220, 120);
        QTest::newRow("8000 x 5000") << QSize(8020, 5020);
    }
    void paintsTheFrameAndBothScales() {
        QFETCH(QSize, client);
        const int w = client.width();
        const int h = client.height();
        window_->resize(client + window_->size() - Client()->size());
        // Frame lines 10 px inside each edge, also where the number boxes lie over them.
        QVERIFY(Dark(10, h / 2) && Dark(w - 10, h / 2) && Dark(w / 2, 10) && Dark(w / 2, h - 10));
        QVERIFY(!Dark(w / 2, h / 2));
        // The last numbered tick of each scale is 10 px long, the short one before it 5 px.
        const int x = 10 + 50 * ((w - 21) / 50);
        const int y = 10 + 50 * ((h - 21) / 50);
        QVERIFY(Dark(x, 9) && Dark(x - 10, 4) && !Dark(x - 10, 7) && !Dark(x - 5, 2));
        QVERIFY(Dark(9, y) && Dark(4, y - 10) && !Dark(7, y - 10) && !Dark(2, y - 5));
        QVERIFY(HasInk(QRect(x - 6, 12, 32, 10)) && !HasInk(QRect(x - 15, 12, 8, 10)));
        QVERIFY(HasInk(QRect(13, y - 6, 32, 13)));
    }

    void helpShowsOncePerPress() {
        QTest::keyClick(window_, Qt::Key_F1);
        window_->findChild<QAction*>("mnuAyuda")->trigger();
        QCOMPARE(app_->dialogs.messages.size(), 2u);
        for (const auto& shown : app_->dialogs.messages) {
            QCOMPARE(shown.text,
                     "BOTONES:\r\n<RePag> - Transparente\r\n<AvPag> + Transparente"
                     "\r\n\r\n<Ctrl.> Cambiar de Aplicación");
            QCOMPARE(shown.icon, MessageIcon::None);
        }
    }

    void setWindowAlphaStatus_data() {
        QTest::addColumn<int>("alpha");
        QTest::addColumn<bool>("inRange");
        for (int alpha : {INT_MIN, -1, 256, INT_MAX}) {
            QTest::addRow("%d", alpha) << alpha << false;
        }
        for (int alpha : {0, 128, 255}) {
            QTest::addRow("%d", alpha) << alpha << true;
        }
    }
    void setWindowAlphaStatus() {
        QFETCH(int, alpha);
        QFETCH(bool, inRange);
        QWidget window;
        window.setWindowOpacity(0.5);
        const double before = window.windowOpacity();
        const int status = SetWindowAlpha(window, alpha);
        if (!inRange) {
            QCOMPARE(status, 1);
        } else if (QGuiApplication::platformName() == "offscreen") {
            QCOMPARE(status, 2);  // the offscreen plugin has no window opacity
        }
        QVERIFY(status == 0 || status == 1 || status == 2);
        // Set only when shown; every other outcome leaves the window untouched.
        QCOMPARE(window.windowOpacity(), status == 0 ? alpha / 255.0 : before);
    }

  private:
    QString Caption() const { return window_->findChild<QMenu*>("mnuOpciones")->title(); }
    QWidget* Client() const { return window_->findChild<QWidget*>("client"); }
    static QString Measured(QSize client) {
        return QString("Regla (%1 x %2)").arg(client.width() - 20).arg(client.height() - 20);
    }

    bool HasInk(const QRect& area) const {
        const QImage image = Client()->grab(area).toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 100) {
                    return true;
                }
            }
        }
        return false;
    }
    bool Dark(int x, int y) const { return HasInk(QRect(x, y, 1, 1)); }

    // The opacity follows the alpha where the platform shows translucency; elsewhere the
    // window stays opaque.
    void CheckOpacity(int alpha) const {
        QWidget probe;
        const bool translucent = SetWindowAlpha(probe, 128) == 0;
        QVERIFY(qAbs(window_->windowOpacity() * 255 - (translucent ? alpha : 255)) <= 1);
    }

    void CheckCentred() const {
        const QPoint offset = window_->frameGeometry().center() -
                              QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1);
    }

    std::unique_ptr<testing::TestShell> app_;
    frmReglazol* window_ = nullptr;
};

}  // namespace minizol

QTEST_MAIN(minizol::ReglazolWindowTest)
#include "tst_frmReglazol.moc"
