#include <QAction>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <climits>

#include "platform/translucency.h"
#include "ruler/frmReglazol.h"
#include "shell/window_alpha.h"
#include "support/test_shell.h"

namespace minizol {

const QSize kStart(220, 120);  // the client area of a 200 x 100 ruler

// Also run in a Spanish locale, and on a screen scaled by 2 (QT_SCALE_FACTOR): the ruler counts
// logical pixels and tells the device pixels where the two differ.
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
            QCOMPARE(window->findChild<QWidget*>("client")->size(), kStart);
            QCOMPARE(window->RulerAlpha(), 200);
        }
        CheckOpacity(200);
        CheckCentred();
    }

    // The keys reach the core's steps, with Shift and Alt held too; its bounds are its own test.
    void pageKeysStepTheAlpha() {
        const auto shiftAlt = Qt::ShiftModifier | Qt::AltModifier;
        QTest::keyClick(window_, Qt::Key_PageUp);
        QTest::keyClick(window_, Qt::Key_PageUp, shiftAlt);
        QCOMPARE(window_->RulerAlpha(), 220);
        QTest::keyClick(window_, Qt::Key_PageDown, shiftAlt);
        for (int press = 0; press < 3; ++press) {
            QTest::keyClick(window_, Qt::Key_PageDown);
        }
        QCOMPARE(window_->RulerAlpha(), 180);
        CheckOpacity(180);
    }

    void sizeDialog_data() {
        QTest::addColumn<QStringList>("replies");  // a null string cancels
        QTest::addColumn<QStringList>("defaults");
        QTest::addColumn<QSize>("client");
        const QString point = QLocale::system().decimalPoint();
        QTest::newRow("cancelled") << QStringList{{}} << QStringList{"200x100"} << kStart;
        QTest::newRow("rejected, then accepted")
            << QStringList{"abc ", "40x30"} << QStringList{"200x100", "ABC"} << QSize(60, 50);
        QTest::newRow("in the locale's numbers")
            << QStringList{"100" + point + "5x20"} << QStringList{"200x100"} << QSize(120, 40);
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
            QCOMPARE(asked.prompt + asked.title, "Selecciona un tamaño (AAAxBBB).MiniZol");
            shownDefaults << asked.defaultText;
        }
        QCOMPARE(shownDefaults, defaults);
        QCOMPARE(app_->dialogs.messages.size(), size_t(defaults.size() - 1));  // one per refusal
        for (const auto& shown : app_->dialogs.messages) {
            QVERIFY(shown.text + shown.title == "Tamaño no válido.MiniZol" &&
                    shown.icon == MessageIcon::Exclamation);
        }
        QCOMPARE(Client()->size(), client);
        QCOMPARE(Caption(), Measured(client));
        if (client == kStart) {
            QCOMPARE(window_->pos(), moved);
        } else {
            CheckCentred();
        }
    }

    void resizeUpdatesTheCaptionAndThePainting_data() {
        QTest::addColumn<QSize>("client");
        QTest::newRow("600 x 400") << QSize(620, 420);
        QTest::newRow("8000 x 5000") << QSize(8020, 5020);
        // The toolkit unmaps a window with no area: one client pixel is kept.
        QTest::newRow("nothing") << QSize(0, 0);
    }
    void resizeUpdatesTheCaptionAndThePainting() {
        QFETCH(QSize, client);
        window_->resize(client + window_->size() - Client()->size());
        QCOMPARE(Caption(), Measured(client.expandedTo({1, 1})));
        QCOMPARE(Client()->width(), window_->width());
        const int w = client.width();
        const int h = client.height();
        if (w == 0) {
            return;
        }
        // Frame lines 10 px inside each edge, also where the number boxes lie over them.
        QVERIFY(Dark(10, h / 2) && Dark(w - 10, h / 2) && Dark(w / 2, 10) && Dark(w / 2, h - 10));
        QVERIFY(!Dark(w / 2, h / 2));
        // The last numbered tick of each scale is 10 px long, the short one before it 5 px.
        const int x = 10 + 50 * ((w - 21) / 50);
        const int y = 10 + 50 * ((h - 21) / 50);
        QVERIFY(Dark(x, 9) && Dark(x - 10, 4) && !Dark(x - 10, 7) && !Dark(x - 5, 2));
        QVERIFY(Dark(9, y) && Dark(4, y - 10) && !Dark(7, y - 10) && !Dark(2, y - 5));
        QVERIFY(Ink(QRect(x - 6, 12, 32, 10)) > 0 && Ink(QRect(x - 15, 12, 8, 10)) == 0);
        QVERIFY(Ink(QRect(13, y - 6, 32, 13)) > 0);
        // One device pixel thin at any scale: across the left frame line, between two ticks.
        QCOMPARE(Ink(QRect(0, 15, 12, 1)), qRound(Client()->devicePixelRatioF()));
    }

    void tooltipTellsTheDevicePixelsOnAScaledScreen() {
        app_->dialogs.replies << "600x400";
        QTest::keyClick(window_, Qt::Key_F2);
        QHelpEvent help(QEvent::ToolTip, {60, 60}, Client()->mapToGlobal(QPoint(60, 60)));
        QCoreApplication::sendEvent(Client(), &help);
        const double ratio = Client()->devicePixelRatioF();
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(),
                 ratio == 1 ? QString()
                            : QString("Regla (600 x 400) = %1 x %2 píxeles físicos")
                                  .arg(qRound(600 * ratio))
                                  .arg(qRound(400 * ratio)));
    }

    void helpShowsOncePerPress() {
        QTest::keyClick(window_, Qt::Key_F1);
        window_->findChild<QAction*>("mnuAyuda")->trigger();
        QCOMPARE(app_->dialogs.messages.size(), 2u);
        QVERIFY(app_->dialogs.messages[0].text.startsWith("BOTONES:\r\n<RePag> - Transparente"));
    }

    void setWindowAlphaStatus() {
        for (int alpha : {INT_MIN, -1, 256, INT_MAX, 0, 128, 255}) {
            QWidget window;
            window.setWindowOpacity(0.5);
            const double before = window.windowOpacity();
            const bool inRange = alpha >= 0 && alpha <= 255;
            // 2 where the platform shows no translucency, as offscreen: the window is untouched.
            const bool shown = inRange && QGuiApplication::platformName() != "offscreen" &&
                               PlatformShowsTranslucentWindows();
            QCOMPARE(SetWindowAlpha(window, alpha), !inRange ? 1 : shown ? 0 : 2);
            QCOMPARE(window.windowOpacity(), shown ? alpha / 255.0 : before);
        }
    }

  private:
    QString Caption() const { return window_->findChild<QMenu*>("mnuOpciones")->title(); }
    QWidget* Client() const { return window_->findChild<QWidget*>("client"); }
    static QString Measured(QSize client) {
        return QString("Regla (%1 x %2)").arg(client.width() - 20).arg(client.height() - 20);
    }

    // The dark device pixels in a logical area of the client.
    int Ink(const QRect& area) const {
        const QImage image = Client()->grab(area).toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                dark += qGray(image.pixel(x, y)) < 100;
            }
        }
        return dark;
    }
    bool Dark(int x, int y) const { return Ink(QRect(x, y, 1, 1)) > 0; }

    // The opacity follows the alpha where the platform shows translucency; elsewhere the
    // window stays opaque.
    void CheckOpacity(int alpha) const {
        const int shown = PlatformShowsTranslucentWindows() ? alpha : 255;
        QVERIFY(qAbs(window_->windowOpacity() * 255 - shown) <= 1);
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
