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
#include "shell/tool_windows.h"
#include "shell/window_alpha.h"
#include "support/recording_dialogs.h"

namespace minizol {
namespace {

const QString kPrompt = QStringLiteral("Selecciona un tamaño (AAAxBBB).");
const QString kInvalid = QStringLiteral("Tamaño no válido.");

// Whether this platform shows translucent windows, asked the way the ruler asks.
bool Translucent() {
    QWidget probe;
    return SetWindowAlpha(probe, 128) == 0;
}

bool Dark(QRgb pixel) {
    return qGray(pixel) < 100;
}

bool Light(QRgb pixel) {
    return qGray(pixel) > 200;
}

}  // namespace

class ReglazolWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        dialogs_ = std::make_unique<testing::RecordingDialogs>();
        shell_ = std::make_unique<Shell>(*dialogs_, [] {});
        RegisterToolWindows(*shell_);
        window_ = static_cast<frmReglazol*>(&shell_->Show(ToolId::ReglaZol));
        // The menu shortcuts (F1, F2) answer only in the active window.
        QVERIFY(QTest::qWaitForWindowActive(window_));
    }
    void cleanup() { shell_.reset(); }

    void startsAtTwoHundredByOneHundredAndAlphaTwoHundred() {
        QCOMPARE(Caption(), QString("Regla (200 x 100)"));
        QCOMPARE(Client()->size(), QSize(220, 120));
        QCOMPARE(window_->Tag(), QString("ReglaZol"));
        QCOMPARE(window_->windowTitle(), QString("MiniZol 3.0"));
        QCOMPARE(window_->RulerAlpha(), 200);
        CheckOpacity(200);
        auto* setSize = window_->findChild<QAction*>("mnuTamanyo");
        QCOMPARE(setSize->text(), QString("Fijar tamaño"));
        QCOMPARE(setSize->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(window_->findChild<QMenu*>("mnuOpciones")->actions().front(), setSize);
        CheckCentred();
    }

    void loadMeasuresBeforeTheWindowIsShown() {
        frmReglazol hidden(*shell_);
        QVERIFY(!hidden.isVisible());
        QCOMPARE(hidden.findChild<QMenu*>("mnuOpciones")->title(), QString("Regla (200 x 100)"));
        QCOMPARE(hidden.findChild<QWidget*>("client")->size(), QSize(220, 120));
        QCOMPARE(hidden.RulerAlpha(), 200);
    }

    void pageKeysStepTheAlpha_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QList<int>>("alphas");
        const int up = Qt::Key_PageUp;
        const int down = Qt::Key_PageDown;
        QTest::newRow("six Page Up")
            << QList<int>(6, up) << 0 << QList<int>{210, 220, 230, 240, 250, 250};
        QTest::newRow("sixteen Page Down")
            << QList<int>(16, down) << 0
            << QList<int>{190, 180, 170, 160, 150, 140, 130, 120, 110, 100, 90, 80, 70, 60, 50, 50};
        QTest::newRow("down and up")
            << QList<int>{down, down, up} << 0 << QList<int>{190, 180, 190};
        QTest::newRow("Shift and Alt are not looked at")
            << QList<int>{up, down, down} << int(Qt::ShiftModifier | Qt::AltModifier)
            << QList<int>{210, 200, 190};
    }
    void pageKeysStepTheAlpha() {
        QFETCH(QList<int>, keys);
        QFETCH(int, modifiers);
        QFETCH(QList<int>, alphas);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            QTest::keyClick(window_, Qt::Key(keys[i]), Qt::KeyboardModifiers(modifiers));
            QCOMPARE(window_->RulerAlpha(), alphas[i]);
            CheckOpacity(alphas[i]);
        }
        QVERIFY(window_->isVisible());
        QVERIFY(dialogs_->messages.empty());
    }

    void helpShowsOncePerPress_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("F1") << true;
        QTest::newRow("Ayuda") << false;
    }
    void helpShowsOncePerPress() {
        QFETCH(bool, byKey);
        if (byKey) {
            QTest::keyClick(window_, Qt::Key_F1);
        } else {
            window_->findChild<QAction*>("mnuAyuda")->trigger();
        }
        QCOMPARE(dialogs_->messages.size(), 1u);
        const auto& shown = dialogs_->messages.front();
        QCOMPARE(shown.text, QString("BOTONES:\r\n<RePag> - Transparente\r\n<AvPag> + Transparente"
                                     "\r\n\r\n<Ctrl.> Cambiar de Aplicación"));
        QCOMPARE(shown.icon, MessageIcon::None);
        QCOMPARE(shown.title, QString("MiniZol"));
        QVERIFY(dialogs_->inputs.empty());
    }

    void sizeDialog_data() {
        QTest::addColumn<QStringList>("replies");  // a null string cancels
        QTest::addColumn<QStringList>("defaults");
        QTest::addColumn<QString>("caption");  // empty: the size is unchanged
        const QLocale locale = QLocale::system();
        const QString point = locale.decimalPoint();
        const QString group = locale.groupSeparator();

        QTest::newRow("accepted") << QStringList{"300x150"} << QStringList{"200x100"}
                                  << "Regla (300 x 150)";
        QTest::newRow("blanks around, capital X")
            << QStringList{"  300X150  "} << QStringList{"200x100"} << "Regla (300 x 150)";
        QTest::newRow("blanks beside the x")
            << QStringList{"300 x 150"} << QStringList{"200x100"} << "Regla (300 x 150)";
        QTest::newRow("largest") << QStringList{"1000x1000"} << QStringList{"200x100"}
                                 << "Regla (1000 x 1000)";
        QTest::newRow("smallest") << QStringList{"0x0"} << QStringList{"200x100"}
                                  << "Regla (0 x 0)";
        QTest::newRow("rejected texts come back trimmed in capitals")
            << QStringList{"300",  " 300x",   "x150",  "300x150x2",
                           "abc ", "1001x10", "10x-1", "99999999999999999999x1",
                           "ñx1",  QString()}
            << QStringList{"200x100", "300",       "300X",
                           "X150",    "300X150X2", "ABC",
                           "1001X10", "10X-1",     "99999999999999999999X1",
                           "ÑX1"}
            << "";
        QTest::newRow("rejected, then accepted")
            << QStringList{"abc", "40x30"} << QStringList{"200x100", "ABC"} << "Regla (40 x 30)";
        QTest::newRow("cancel") << QStringList{QString()} << QStringList{"200x100"} << "";
        QTest::newRow("empty") << QStringList{""} << QStringList{"200x100"} << "";
        QTest::newRow("blanks only") << QStringList{"   "} << QStringList{"200x100"} << "";
        QTest::newRow("half goes to the even neighbour, down")
            << QStringList{"100" + point + "5x20"} << QStringList{"200x100"} << "Regla (100 x 20)";
        QTest::newRow("half goes to the even neighbour, up")
            << QStringList{"101" + point + "5x20"} << QStringList{"200x100"} << "Regla (102 x 20)";
        QTest::newRow("thousands grouped as the user writes them")
            << QStringList{"1" + group + "000x10"} << QStringList{"200x100"} << "Regla (1000 x 10)";
        QTest::newRow("the group separator is no decimal separator")
            << QStringList{"100" + group + "5x20", QString()}
            << QStringList{"200x100", "100" + group + "5X20"} << "";
    }
    void sizeDialog() {
        QFETCH(QStringList, replies);
        QFETCH(QStringList, defaults);
        QFETCH(QString, caption);
        const QPoint moved = window_->pos() + QPoint(37, 23);
        window_->move(moved);
        dialogs_->replies = replies;

        QTest::keyClick(window_, Qt::Key_F2);

        QStringList shownDefaults;
        for (const auto& asked : dialogs_->inputs) {
            QCOMPARE(asked.prompt, kPrompt);
            QCOMPARE(asked.title, QString("MiniZol"));
            shownDefaults << asked.defaultText;
        }
        QCOMPARE(shownDefaults, defaults);
        QCOMPARE(dialogs_->messages.size(), static_cast<std::size_t>(defaults.size() - 1));
        for (const auto& shown : dialogs_->messages) {
            QCOMPARE(shown.text, kInvalid);
            QCOMPARE(shown.icon, MessageIcon::Exclamation);
            QCOMPARE(shown.title, QString("MiniZol"));
        }
        if (caption.isEmpty()) {
            QCOMPARE(Caption(), QString("Regla (200 x 100)"));
            QCOMPARE(Client()->size(), QSize(220, 120));
            QCOMPARE(window_->pos(), moved);
            return;
        }
        QCOMPARE(Caption(), caption);
        const QStringList numbers = caption.mid(7).chopped(1).split(" x ");
        QCOMPARE(Client()->size(), QSize(numbers[0].toInt() + 20, numbers[1].toInt() + 20));
        CheckCentred();
    }

    void resizeUpdatesTheCaption_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QString>("caption");
        QTest::newRow("600 x 400") << QSize(620, 420) << "Regla (600 x 400)";
        QTest::newRow("margins only") << QSize(20, 20) << "Regla (0 x 0)";
        QTest::newRow("inside the margins") << QSize(15, 7) << "Regla (-5 x -13)";
        QTest::newRow("beyond 16 bits of twips") << QSize(2220, 1320) << "Regla (2200 x 1300)";
        QTest::newRow("8000 x 5000") << QSize(8020, 5020) << "Regla (8000 x 5000)";
    }
    void resizeUpdatesTheCaption() {
        QFETCH(QSize, client);
        ResizeClient(client);
        QCOMPARE(Client()->size(), client);
        QTEST(Caption(), "caption");
    }

    void shrinkingToNothingKeepsAWindowAndMeasuresIt_data() {
        QTest::addColumn<QSize>("requested");
        QTest::newRow("zero") << QSize(0, 0);
        QTest::newRow("no width") << QSize(0, 300);
        QTest::newRow("no height") << QSize(300, 0);
        QTest::newRow("one pixel") << QSize(1, 1);
    }
    void shrinkingToNothingKeepsAWindowAndMeasuresIt() {
        QFETCH(QSize, requested);
        window_->resize(requested);
        QVERIFY(window_->isVisible());
        // The client area follows the window: none of it is left outside.
        const QSize client = Client()->size();
        QVERIFY(client.width() >= 1 && client.height() >= 1);
        QCOMPARE(client.width(), window_->width());
        QVERIFY(window_->rect().contains(Client()->geometry()));
        QCOMPARE(Caption(),
                 QString("Regla (%1 x %2)").arg(client.width() - 20).arg(client.height() - 20));
        QVERIFY(!Client()->grab().isNull());
        ResizeClient({220, 120});
        QCOMPARE(Caption(), QString("Regla (200 x 100)"));
    }

    void paintsTheFrameAndBothScales_data() {
        QTest::addColumn<QSize>("client");
        QTest::newRow("start size") << QSize(220, 120);
        QTest::newRow("600 x 400") << QSize(620, 420);
        QTest::newRow("8000 x 5000") << QSize(8020, 5020);
    }
    void paintsTheFrameAndBothScales() {
        QFETCH(QSize, client);
        // Grown to the largest size first: ticks made then stay, and shrinking must not
        // leave them showing over the frame.
        ResizeClient({8020, 5020});
        ResizeClient(client);
        const int w = client.width();
        const int h = client.height();
        // The four frame lines, 10 px inside each edge, also under the number boxes.
        QVERIFY(Dark(Pixel(10, h / 2)));
        QVERIFY(Dark(Pixel(w - 10, h / 2)));
        QVERIFY(Dark(Pixel(w / 2, 10)));
        QVERIFY(Dark(Pixel(w / 2, h - 10)));
        QVERIFY(Light(Pixel(w / 2, h / 2)));
        // The last long tick of each scale before the far frame line: 10 px long, numbered.
        const int farX = 10 + 50 * ((w - 21) / 50);
        const int farY = 10 + 50 * ((h - 21) / 50);
        QVERIFY(Dark(Pixel(farX, 9)));
        QVERIFY(Dark(Pixel(9, farY)));
        QVERIFY(HasInk(QRect(farX - 6, 12, 32, 10)));
        QVERIFY(HasInk(QRect(13, farY - 6, 32, 13)));
        // The short tick before it: 5 px long, with no number.
        QVERIFY(Dark(Pixel(farX - 10, 4)));
        QVERIFY(Light(Pixel(farX - 10, 7)));
        QVERIFY(Dark(Pixel(4, farY - 10)));
        QVERIFY(Light(Pixel(7, farY - 10)));
        QVERIFY(!HasInk(QRect(farX - 15, 12, 8, 10)));
        // No tick between ticks.
        QVERIFY(Light(Pixel(farX - 5, 2)));
        QVERIFY(Light(Pixel(2, farY - 5)));
    }

    void stateIsKeptAcrossToolSwitches() {
        QTest::keyClick(window_, Qt::Key_PageDown);
        QTest::keyClick(window_, Qt::Key_PageDown);
        QTest::keyClick(window_, Qt::Key_PageDown);
        dialogs_->replies = QStringList{"300x150"};
        window_->findChild<QAction*>("mnuTamanyo")->trigger();
        QWidget* current = window_;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(current, Qt::Key_Control, Qt::ControlModifier);
            current = VisibleTool();
            QVERIFY(current != nullptr);
        }
        QCOMPARE(current, window_);
        QCOMPARE(Caption(), QString("Regla (300 x 150)"));
        QCOMPARE(Client()->size(), QSize(320, 170));
        QCOMPARE(window_->RulerAlpha(), 170);
        CheckOpacity(170);
    }

    void setWindowAlphaStatus_data() {
        QTest::addColumn<int>("alpha");
        QTest::addColumn<bool>("inRange");
        QTest::newRow("-1") << -1 << false;
        QTest::newRow("0") << 0 << true;
        QTest::newRow("128") << 128 << true;
        QTest::newRow("255") << 255 << true;
        QTest::newRow("256") << 256 << false;
        QTest::newRow("INT_MIN") << INT_MIN << false;
        QTest::newRow("INT_MAX") << INT_MAX << false;
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
            QCOMPARE(window.windowOpacity(), before);
            return;
        }
        QVERIFY(status == 0 || status == 2);
        if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
            QCOMPARE(status, 2);  // the offscreen plugin has no window opacity
        }
        if (status == 0) {
            QVERIFY(qAbs(window.windowOpacity() * 255 - alpha) <= 1);
        } else {
            QCOMPARE(window.windowOpacity(), before);
        }
    }

    void setWindowAlphaLeavesChildWidgetsAlone() {
        QWidget window;
        auto* child = new QWidget(&window);
        QCOMPARE(SetWindowAlpha(*child, 100), 2);
        QCOMPARE(SetWindowAlpha(*child, 300), 1);
        QCOMPARE(window.windowOpacity(), 1.0);
    }

  private:
    QString Caption() const { return window_->findChild<QMenu*>("mnuOpciones")->title(); }
    QWidget* Client() const { return window_->findChild<QWidget*>("client"); }

    void ResizeClient(QSize client) {
        window_->resize(client + window_->size() - Client()->size());
    }

    QRgb Pixel(int x, int y) const {
        return Client()->grab(QRect(x, y, 1, 1)).toImage().pixel(0, 0);
    }

    bool HasInk(const QRect& area) const {
        const QImage image = Client()->grab(area).toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (Dark(image.pixel(x, y))) {
                    return true;
                }
            }
        }
        return false;
    }

    // The opacity follows the alpha where the platform shows translucency; elsewhere the
    // window stays opaque.
    void CheckOpacity(int alpha) const {
        if (Translucent()) {
            QVERIFY(qAbs(window_->windowOpacity() * 255 - alpha) <= 1);
        } else {
            QCOMPARE(window_->windowOpacity(), 1.0);
        }
    }

    void CheckCentred() const {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QPoint centre = window_->frameGeometry().center();
        QVERIFY(qAbs(centre.x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(centre.y() - screen.center().y()) <= 1);
    }

    QWidget* VisibleTool() const {
        for (ToolId tool : kAllTools) {
            if (ToolWindow* window = shell_->Existing(tool); window && window->isVisible()) {
                return window;
            }
        }
        return nullptr;
    }

    std::unique_ptr<testing::RecordingDialogs> dialogs_;
    std::unique_ptr<Shell> shell_;
    frmReglazol* window_ = nullptr;
};

}  // namespace minizol

QTEST_MAIN(minizol::ReglazolWindowTest)
#include "tst_frmReglazol.moc"
