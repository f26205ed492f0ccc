// The four tool windows switched 10,000 times with Ctrl, as a person would, on the offscreen
// platform: the process must not grow after the first hundred switches.
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <memory>

#include "shell/shell.h"
#include "shell/tool_window.h"
#include "shell/tool_windows.h"
#include "support/heap_usage.h"
#include "support/recording_dialogs.h"

#ifdef MINIZOL_ASAN
// Freed blocks wait in AddressSanitizer's quarantine, 256 MB by default, before they are
// reused; the resident size would count them as growth.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=0";
}
#endif

namespace minizol {
namespace {

constexpr int kSwitches = 10'000;
constexpr int kSettlingSwitches = 100;
// Allocator noise: glibc keeps freed memory in its arenas and trims them at its own pace, and
// Qt's caches fill up to their limits during the first rounds; both measured a few kilobytes
// here. The heap margin is crossed by a leak of 14 bytes a switch, the resident one by
// about 110 bytes a switch.
constexpr long kResidentToleranceBytes = 1024L * 1024;
constexpr std::size_t kHeapToleranceBytes = 128 * 1024;

long ResidentBytes() {
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * sysconf(_SC_PAGESIZE) : -1;
}

ToolWindow* VisibleTool(const Shell& shell) {
    ToolWindow* visible = nullptr;
    for (ToolId tool : kAllTools) {
        ToolWindow* window = shell.Existing(tool);
        if (window != nullptr && window->isVisible()) {
            if (visible != nullptr) {
                return nullptr;  // two at once is as wrong as none
            }
            visible = window;
        }
    }
    return visible;
}

QtMessageHandler forwardMessage = nullptr;

// The offscreen platform warns on every raise() and size hint; 10,000 switches would bury
// the test's own output under them.
void DropPlatformNotices(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (type == QtWarningMsg && message.startsWith("This plugin does not support")) {
        return;
    }
    forwardMessage(type, context, message);
}

}  // namespace

class ToolSwitchingSoak : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { forwardMessage = qInstallMessageHandler(DropPlatformNotices); }
    void cleanupTestCase() { qInstallMessageHandler(forwardMessage); }

    void tenThousandSwitchesKeepTheProcessSize() {
        testing::RecordingDialogs dialogs;
        int ends = 0;
        Shell shell(dialogs, [&ends] { ++ends; });
        RegisterToolWindows(shell);
        shell.Start();

        long residentAfterSettling = 0;
        std::size_t heapAfterSettling = 0;
        for (int done = 1; done <= kSwitches; ++done) {
            ToolWindow* current = VisibleTool(shell);
            QVERIFY2(current != nullptr, qPrintable(QString("switch %1").arg(done)));
            const ToolId expected = NextTool(current->Tool());
            QTest::keyClick(current, Qt::Key_Control, Qt::ControlModifier);
            // The event loop's share between two keys: painting, timers, deferred deletions.
            QCoreApplication::processEvents();
            ToolWindow* shown = VisibleTool(shell);
            QVERIFY2(shown != nullptr && shown->Tool() == expected,
                     qPrintable(QString("switch %1 did not reach the next tool").arg(done)));
            if (done == kSettlingSwitches) {
                residentAfterSettling = ResidentBytes();
                heapAfterSettling = testing::HeapInUse();
            }
        }
        const long resident = ResidentBytes();
        const std::size_t heap = testing::HeapInUse();
        qInfo("resident %ld -> %ld bytes, heap %zu -> %zu bytes, switches %d to %d",
              residentAfterSettling, resident, heapAfterSettling, heap, kSettlingSwitches,
              kSwitches);
        QVERIFY(residentAfterSettling > 0);
        QCOMPARE(ends, 0);
        QVERIFY2(resident <= residentAfterSettling + kResidentToleranceBytes,
                 "resident memory grew beyond the allocator's noise");
        QVERIFY2(heap <= heapAfterSettling + kHeapToleranceBytes,
                 "heap in use grew beyond the allocator's noise");
    }
};

}  // namespace minizol

QTEST_MAIN(minizol::ToolSwitchingSoak)
#include "tst_tool_switching_soak.moc"
