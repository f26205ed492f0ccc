// The four tool windows switched 10,000 times with Ctrl, as a person would, on the offscreen
// platform: the process must not grow after the first hundred switches.
#include <unistd.h>

#include <QTest>
#include <fstream>

#include "shell/tool_window.h"
#include "support/heap_usage.h"
#include "support/test_shell.h"

#ifdef MINIZOL_ASAN
// Freed blocks wait in AddressSanitizer's quarantine, 256 MB by default, before they are
// reused; the resident size would count them as growth.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=0";
}
#endif

namespace minizol {

constexpr int kSwitches = 10'000;
constexpr int kSettlingSwitches = 100;
// Allocator noise: glibc trims its arenas at its own pace and Qt's caches fill during the first
// rounds, a few kilobytes here. A leak of 14 bytes a switch crosses the heap margin, one of
// about 110 bytes the resident one.
constexpr long kResidentTolerance = 1024L * 1024;
constexpr std::size_t kHeapTolerance = 128 * 1024;

static long ResidentBytes() {
    long size = 0, resident = -1;
    std::ifstream("/proc/self/statm") >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

class ToolSwitchingSoak : public QObject {
    Q_OBJECT

  private slots:
    void tenThousandSwitchesKeepTheProcessSize() {
        // The offscreen platform warns on every raise(); 10,000 of them would bury the output.
        static QtMessageHandler forward = nullptr;
        forward = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.startsWith("This plugin does not support")) {
                    forward(type, context, message);
                }
            });
        testing::TestShell app;
        app.shell.Start();  // shows the first tool
        long resident = 0;
        std::size_t heap = 0;
        ToolId tool = kAllTools.front();
        for (int done = 1; done <= kSwitches; ++done) {
            ToolWindow* from = app.shell.Existing(tool);
            QTest::keyClick(from, Qt::Key_Control, Qt::ControlModifier);
            QCoreApplication::processEvents();  // painting, timers and deletions between keys
            tool = NextTool(tool);
            const ToolWindow* to = app.shell.Existing(tool);
            QVERIFY2(!from->isVisible() && to != nullptr && to->isVisible(),
                     qPrintable(QString("switch %1 did not reach the next tool").arg(done)));
            if (done == kSettlingSwitches) {
                resident = ResidentBytes();
                heap = testing::HeapInUse();
            }
        }
        QCOMPARE(app.ends, 0);
        QCOMPARE_GT(resident, 0);
        QCOMPARE_LE(ResidentBytes(), resident + kResidentTolerance);
        QCOMPARE_LE(testing::HeapInUse(), heap + kHeapTolerance);
    }
};

}  // namespace minizol

QTEST_MAIN(minizol::ToolSwitchingSoak)
#include "tst_tool_switching_soak.moc"
