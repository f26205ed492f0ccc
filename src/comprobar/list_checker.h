#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comprobar/options.h"
#include "lists/report.h"
#include "lists/sheet.h"

namespace minizol {

class PeekableSource;
class SepaReader;

// Checks the inputs one by one, whatever each is (a list, a CSV file, a workbook, a remittance),
// into one report: on the terminal, as CSV on standard output, or into a file.
class ListChecker {
  public:
    explicit ListChecker(const Options& options);
    ~ListChecker();

    // Checks one input; false when it could not be read, or is no list.
    bool CheckInput(const std::string& name);
    // Ends the report and says the summary; false when the report could not be written.
    bool Finish();
    const Tally& tally() const { return tally_; }

  private:
    struct Table;

    bool CheckText(PeekableSource& source, int fd, const std::string& name);
    bool CheckSheet(SheetReader& reader, const std::string& name);
    bool CheckSepa(SepaReader& reader, const std::string& name);
    bool ChooseColumns(Table& table, const std::vector<std::vector<std::string>>& firstRows,
                       const std::string& name);
    // The report, made for the first input that reaches it, with the heading of the input
    // being checked when there are several.
    ReportWriter& Report(const CsvForm& form, bool withColumn,
                         std::size_t columnWidth = TerminalReport::kColumnWidth);
    std::unique_ptr<ReportWriter> MakeReport(const CsvForm& form, bool withColumn,
                                             std::size_t columnWidth);
    void CheckCell(std::uint64_t line, const OwnFields& own, const std::string& label,
                   std::string_view entry, bool fieldMissing);

    const Options& options_;
    std::unique_ptr<ReportWriter> report_;
    int outputFd_ = -1;
    std::string outputTemporary_;  // a CSV file being written, renamed into place at the end
    std::string heading_;
    Tally tally_;
    std::string field_;
    NumberCheck check_;  // its texts keep their room from one number to the next
};

}  // namespace minizol
