#include "comprobar/command_report.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "lists/messages.h"

namespace minizol {
namespace {

// Below this a file is read before a progress indicator would be worth looking at.
constexpr std::uint64_t kProgressFrom = 4 << 20;

}  // namespace

CommandReport::CommandReport(const Options& options) : options_(options) {}

CommandReport::~CommandReport() {
    if (!outputTemporary_.empty()) {
        ::unlink(outputTemporary_.c_str());
    }
}

void CommandReport::Input(const std::string& name) {
    if (options_.inputs.size() > 1) {
        heading_ = name;
    }
}

void CommandReport::Say(const std::string& message) {
    EndProgress();
    minizol::Say(message);
}

// A percentage on standard error while a big file is read: never on a pipe or a file, nor on a
// terminal the report itself fills.
void CommandReport::Progress(const std::string& name, std::uint64_t done, std::uint64_t size) {
    if (size < kProgressFrom || !isatty(STDERR_FILENO) || isatty(STDOUT_FILENO)) {
        return;
    }
    const int percent = static_cast<int>(std::min<std::uint64_t>(100, done * 100 / size));
    if (percent != percent_) {
        percent_ = percent;
        progressShown_ = true;
        std::fprintf(stderr, "\r%s: %s: %d %%", kProgram, name.c_str(), percent);
    }
}

void CommandReport::EndProgress() {
    if (std::exchange(progressShown_, false)) {
        std::fputs("\r\033[K", stderr);
        percent_ = -1;
    }
}

ReportWriter& CommandReport::Report(const CsvForm& form, bool withColumn, std::size_t columnWidth) {
    if (!report_) {
        report_ = MakeReport(form, withColumn, columnWidth);
    }
    if (!heading_.empty()) {
        report_->Heading(std::exchange(heading_, {}));
    }
    return *report_;
}

std::unique_ptr<ReportWriter> CommandReport::MakeReport(const CsvForm& form, bool withColumn,
                                                        std::size_t columnWidth) {
    if (WritesWorkbook(options_)) {
        std::string error;
        std::unique_ptr<XlsxReport> workbook =
            XlsxReport::Create(options_.output, withColumn, error);
        if (!workbook) {
            minizol::Say(error);
            std::exit(kTrouble);
        }
        return workbook;
    }
    if (!options_.output.empty()) {
        // Written beside its place and renamed into it at the end, so that a report cut short
        // never stands as the file asked for.
        outputTemporary_ = options_.output + ".XXXXXX";
        outputFd_ = mkstemp(outputTemporary_.data());
        if (outputFd_ < 0) {
            minizol::Say("no se puede escribir " + Quoted(options_.output) + ": " +
                         ErrorText(errno));
            outputTemporary_.clear();
            std::exit(kTrouble);
        }
        // A temporary file is the owner's alone; the report gets a new file's usual permissions.
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(outputFd_, 0666 & ~mask);
        // As Spanish Excel opens a CSV file on a double click.
        const CsvForm excel{';', "\r\n", {TextEncoding::Utf8, true}};
        return std::make_unique<CsvReport>(outputFd_, excel, withColumn);
    }
    if (options_.csv) {
        return std::make_unique<CsvReport>(STDOUT_FILENO, form, withColumn);
    }
    return std::make_unique<TerminalReport>(STDOUT_FILENO, withColumn, columnWidth);
}

bool CommandReport::Finish(const Tally& tally) {
    EndProgress();
    ReportWriter& report = Report({}, false, TerminalReport::kColumnWidth);
    report.Header(OwnFields(), OwnFields());
    bool written = report.Finish();
    if (written && outputFd_ >= 0) {
        written = ::fsync(outputFd_) == 0 && ::close(outputFd_) == 0 &&
                  ::rename(outputTemporary_.c_str(), options_.output.c_str()) == 0;
        outputFd_ = -1;
        if (written) {
            outputTemporary_.clear();
        } else {
            minizol::Say("no se puede escribir " + Quoted(options_.output) + ": " +
                         ErrorText(errno));
            return false;
        }
    }
    if (!written) {
        minizol::Say("no se puede escribir el informe: " + report.error());
        return false;
    }
    minizol::Say(SummaryText(tally));
    return true;
}

}  // namespace minizol
