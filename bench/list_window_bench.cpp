// Opens DigiZol's list window on a semicolon CSV of a million Spanish IBANs (a tenth wrong) and
// measures what a user sees: the first rows in the table, every verdict read, the longest the
// event loop went without turning, the longest it went without turning while the read list is
// sorted by "entrada" and then by "línea", and the peak resident memory. Prints one figure a line
// with its target. Usage: list_window_bench [ROWS] (run offscreen: QT_QPA_PLATFORM=offscreen)
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "checkdigits/bank_account.h"
#include "checkdigits/iban.h"
#include "checkdigits/list_window.h"

namespace {

// Banks the table knows, so the "banco" column is filled as it is for real lists.
constexpr std::array<const char*, 5> kBanks = {"2100", "0049", "0182", "0081", "2038"};

// Every tenth line has its last digit changed, so that its IBAN is wrong.
void WriteList(const std::string& path, int rows) {
    std::ofstream out(path, std::ios::binary);
    out << "Nombre;IBAN\r\n";
    std::string line;
    for (int i = 0; i < rows; ++i) {
        const std::string bank = kBanks[static_cast<std::size_t>(i) % kBanks.size()];
        char office[8];
        char account[16];
        std::snprintf(office, sizeof office, "%04d", (i / 7) % 10000);
        std::snprintf(account, sizeof account, "%010d", i);
        const auto control = minizol::AccountControlDigits(bank, office, account);
        std::string domestic = bank + office + control[0] + control[1] + account;
        const std::string digits = minizol::IbanCheckDigits("ES", domestic);
        if (i % 10 == 9) {
            domestic.back() = domestic.back() == '9' ? '0' : static_cast<char>(domestic.back() + 1);
        }
        line = "Proveedor " + std::to_string(i + 1) + ";" +
               minizol::GroupInFours("ES" + digits + domestic) + "\r\n";
        out << line;
    }
}

long PeakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ibanes.csv"));
    WriteList(path.toStdString(), rows);

    QWidget tool;
    tool.resize(400, 300);
    tool.show();

    QElapsedTimer sinceOpened;
    QElapsedTimer sinceTick;
    qint64 firstRowsMs = -1;
    qint64 doneMs = -1;
    qint64 longestStallMs = 0;
    int shown = 0;
    QString summary;
    // The sorts once the list is read: by "entrada", then by "línea", each clicked as the header
    // is and over once the table has its new order and the loop has turned a few times since.
    const QStringList sortedBy = {QStringLiteral("entrada"), QStringLiteral("línea")};
    int sorting = -1;
    int ticksSinceSorted = -1;
    qint64 readStallMs = 0;
    qint64 sortStallMs[2] = {0, 0};
    qint64 sortMs[2] = {-1, -1};
    QElapsedTimer sinceClicked;

    // A fine timer: how late each tick comes is how long the loop was held by something else.
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    ticks.setInterval(5);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longestStallMs = std::max(longestStallMs, sinceTick.restart());
        auto* window = tool.findChild<QWidget*>(QStringLiteral("frmLista"));
        auto* table = window != nullptr ? window->findChild<QTableView*>("grdLista") : nullptr;
        if (table == nullptr || table->model() == nullptr) {
            return;
        }
        shown = table->model()->rowCount();
        if (firstRowsMs < 0 && shown > 0) {
            firstRowsMs = sinceOpened.elapsed();
        }
        if (sorting >= 0) {
            sortStallMs[sorting] = std::max(sortStallMs[sorting], longestStallMs);
            longestStallMs = 0;
            if (ticksSinceSorted >= 0 && ++ticksSinceSorted < 5) {
                return;
            }
            if (ticksSinceSorted < 0) {
                return;
            }
            ++sorting;
        } else {
            // Reading over: the window hides its "Cancelar" for good.
            auto* cancel = window->findChild<QPushButton*>("cmdCancelar");
            if (!window->isVisible() || cancel == nullptr || !cancel->isHidden()) {
                return;
            }
            doneMs = sinceOpened.elapsed();
            summary = window->findChild<QLabel*>("lblResumen")->text();
            readStallMs = longestStallMs;
            sorting = 0;
            longestStallMs = 0;
            QObject::connect(table->model(), &QAbstractItemModel::layoutChanged, &ticks, [&] {
                if (sorting >= 0 && sorting < 2 && ticksSinceSorted < 0) {
                    sortMs[sorting] = sinceClicked.elapsed();
                    ticksSinceSorted = 0;
                }
            });
        }
        if (sorting == 2) {
            ticks.stop();
            app.quit();
            return;
        }
        ticksSinceSorted = -1;
        QHeaderView* header = table->horizontalHeader();
        for (int column = 0; column < table->model()->columnCount(); ++column) {
            if (table->model()->headerData(column, Qt::Horizontal).toString() ==
                sortedBy[sorting]) {
                sinceClicked.start();
                // What a click on the header does.
                header->setSortIndicator(column, Qt::AscendingOrder);
                return;
            }
        }
        std::printf("no column \"%s\"\n", qPrintable(sortedBy[sorting]));
        app.quit();
    });

    // Opened from the loop, so that the window's own start counts as a stall as well.
    QTimer::singleShot(0, [&] {
        sinceOpened.start();
        sinceTick.start();
        ticks.start();
        minizol::OpenListWindow(&tool, path);
    });
    QTimer::singleShot(60000, &app, [&] { app.quit(); });
    app.exec();

    if (doneMs < 0) {
        std::printf("not read within 60 s (%d rows shown)\n", shown);
        return 1;
    }
    std::printf("rows shown           %d of %d: %s\n", shown, rows, qPrintable(summary));
    std::printf("first rows           %.3f s   (target <= 0.5 s)\n", firstRowsMs / 1000.0);
    std::printf("every verdict        %.3f s   (target <= 3 s)\n", doneMs / 1000.0);
    std::printf("longest stall        %lld ms   (target <= 100 ms)\n",
                static_cast<long long>(readStallMs));
    for (int i = 0; i < 2; ++i) {
        if (sortMs[i] < 0) {
            std::printf("sort by %-12s not over within 60 s\n", qPrintable(sortedBy[i]));
            continue;
        }
        std::printf("sort by %-12s %.3f s, longest stall %lld ms   (target <= 100 ms)\n",
                    qPrintable(sortedBy[i]), sortMs[i] / 1000.0,
                    static_cast<long long>(sortStallMs[i]));
    }
    std::printf("peak RSS             %.1f MiB   (target <= 300 MiB)\n", PeakRssKiB() / 1024.0);
    return 0;
}
