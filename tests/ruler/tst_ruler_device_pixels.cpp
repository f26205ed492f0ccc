#include <QHelpEvent>
#include <QImage>
#include <QTest>
#include <QToolTip>

#include "shell/shell.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

// Dark pixels of `image` along one row or column, as [first, last] device-pixel runs.
QList<QPair<int, int>> DarkRuns(const QImage& image, bool alongRow, int at, int from, int to) {
    QList<QPair<int, int>> runs;
    for (int i = from; i < to; ++i) {
        const QRgb pixel = alongRow ? image.pixel(i, at) : image.pixel(at, i);
        if (qGray(pixel) >= 100) {
            continue;
        }
        if (!runs.isEmpty() && runs.last().second == i - 1) {
            runs.last().second = i;
        } else {
            runs.append({i, i});
        }
    }
    return runs;
}

}  // namespace

// Runs once at scale 1 and once with QT_SCALE_FACTOR=2: the ruler counts logical pixels and
// tells the device pixels only where the two differ.
class RulerDevicePixelsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        app_ = std::make_unique<testing::TestShell>();
        window_ = &app_->shell.Show(ToolId::ReglaZol);
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        client_ = window_->findChild<QWidget*>("client");
        QVERIFY(client_ != nullptr);
        ratio_ = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
        QCOMPARE(client_->devicePixelRatioF(), ratio_);
    }
    void cleanup() {
        QToolTip::hideText();
        app_.reset();
    }

    void tooltipGivesTheDeviceSizeOnAScaledScreen() {
        QCOMPARE(AskTooltip(), Expected(200, 100));
        app_->dialogs.replies = QStringList{"600x400"};
        QTest::keyClick(window_, Qt::Key_F2);
        QCOMPARE(AskTooltip(), Expected(600, 400));
    }

    void frameLinesAreOneDevicePixelThin() {
        const QImage image = client_->grab().toImage();
        QCOMPARE(image.width(), qRound(client_->width() * ratio_));
        // Across the left frame line (logical x = 10) halfway between two ticks, and across the
        // top one likewise: one dark device pixel each, where the logical position falls.
        const int between = qRound(15 * ratio_);
        const int frame = qRound(10 * ratio_);
        const QList<QPair<int, int>> expected{{frame, frame}};
        QCOMPARE(DarkRuns(image, true, between, 0, qRound(12 * ratio_)), expected);
        QCOMPARE(DarkRuns(image, false, between, 0, qRound(12 * ratio_)), expected);
    }

  private:
    QString AskTooltip() {
        const QPoint at(60, 60);
        QHelpEvent help(QEvent::ToolTip, at, client_->mapToGlobal(at));
        QCoreApplication::sendEvent(client_, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    QString Expected(int width, int height) const {
        if (ratio_ == 1.0) {
            return {};
        }
        return QStringLiteral("Regla (%1 x %2) = %3 x %4 píxeles físicos")
            .arg(width)
            .arg(height)
            .arg(qRound(width * ratio_))
            .arg(qRound(height * ratio_));
    }

    std::unique_ptr<testing::TestShell> app_;
    ToolWindow* window_ = nullptr;
    QWidget* client_ = nullptr;
    double ratio_ = 1;
};

}  // namespace minizol

QTEST_MAIN(minizol::RulerDevicePixelsTest)
#include "tst_ruler_device_pixels.moc"
