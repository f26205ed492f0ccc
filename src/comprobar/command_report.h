#pragma once

#include <memory>
#include <string>

#include "comprobar/options.h"
#include "lists/list_reader.h"
#include "lists/report.h"

namespace minizol {

// What minizol-comprobar makes of a ListReader's findings: the report on the terminal, as CSV on
// standard output or in a file; its messages on standard error, after the program's name; and,
// for a person at a terminal waiting for a big file's report, how far it has got.
class CommandReport final : public ListSink {
  public:
    explicit CommandReport(const Options& options);
    ~CommandReport() override;

    ReportWriter& Report(const CsvForm& form, bool withColumn, std::size_t columnWidth) override;
    void Input(const std::string& name) override;
    void Say(const std::string& message) override;
    void Progress(const std::string& name, std::uint64_t done, std::uint64_t size) override;

    // Ends the report and says the summary of `tally`; false when the report could not be
    // written.
    bool Finish(const Tally& tally);

  private:
    std::unique_ptr<ReportWriter> MakeReport(const CsvForm& form, bool withColumn,
                                             std::size_t columnWidth);
    void EndProgress();

    const Options& options_;
    std::unique_ptr<ReportWriter> report_;
    int outputFd_ = -1;
    std::string outputTemporary_;  // a CSV file being written, renamed into place at the end
    std::string heading_;
    bool progressShown_ = false;
    int percent_ = -1;
};

}  // namespace minizol
