#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "checkdigits/number_check.h"
#include "lists/report.h"
#include "lists/sheet.h"

namespace minizol {

class PeekableSource;
class SepaReader;

// How lists are read: which kinds, which columns, which sheet. Whatever is not said is found in
// each file: its form, its separator, its number columns, its header.
struct ListOptions {
    KindFilter filter = KindFilter::Any;
    std::vector<std::string> columns;  // as the user names them; none: found in each file
    std::optional<char> separator;     // none: found in each file
    bool header = false;
    SheetChoice sheet;
    // The report is a table (CSV, a workbook, a window's): a record whose checked cell is empty
    // keeps its row, and a remittance's holders stand in its own columns.
    bool table = false;
};

// Where a ListReader's findings go: the report it writes rows into, its messages, its progress,
// and whether to stop.
class ListSink {
  public:
    virtual ~ListSink() = default;
    // The report for an input of this form, made by the sink when the first input asks.
    virtual ReportWriter& Report(const CsvForm& form, bool withColumn, std::size_t columnWidth) = 0;
    // An input is about to be read: `name` as it is shown.
    virtual void Input(const std::string&) {}
    // The columns of a table's records, each by its header's name ("" without a header), and
    // those checked, from 0: what a window offers to choose from. A plain list or a remittance
    // has none.
    virtual void Columns(const std::vector<std::string>&, const std::vector<std::size_t>&) {}
    // A message about the input, in Spanish: what was found in it, or why it could not be read.
    virtual void Say(const std::string& message) = 0;
    // How far a file has been read, in bytes of its size (0 when it has none: a pipe).
    virtual void Progress(const std::string&, std::uint64_t, std::uint64_t) {}
    // Asked now and then while a list is read: true stops it.
    virtual bool Cancelled() { return false; }
};

// Reads inputs one by one, whatever each is (a list, a CSV file, a workbook, a remittance),
// checks their numbers and writes a row for each into the sink's report.
class ListReader {
  public:
    ListReader(const ListOptions& options, ListSink& sink);

    // Reads one input, a path or "-" for standard input; false when it could not be read, is no
    // list, or the sink stopped it.
    bool ReadInput(const std::string& name);
    const Tally& tally() const { return tally_; }

  private:
    struct Table;

    bool CheckText(PeekableSource& source, int fd, const std::string& name);
    bool CheckSheet(SheetReader& reader, const std::string& name);
    bool CheckSepa(SepaReader& reader, const std::string& name);
    bool ChooseColumns(Table& table, const std::vector<std::vector<std::string>>& firstRows,
                       const std::string& name);
    void TellColumns(const Table& table, const std::vector<std::vector<std::string>>& firstRows);
    ReportWriter& Report(const CsvForm& form, bool withColumn,
                         std::size_t columnWidth = TerminalReport::kColumnWidth) {
        report_ = &sink_.Report(form, withColumn, columnWidth);
        return *report_;
    }
    // Whether to go on after `count` rows: the sink is asked now and then.
    bool GoOn(std::uint64_t count) { return count % kRowsBetweenLooks != 0 || !sink_.Cancelled(); }
    void CheckCell(std::uint64_t line, const OwnFields& own, const std::string& label,
                   std::string_view entry, bool fieldMissing);

    static constexpr std::uint64_t kRowsBetweenLooks = 4096;

    ListOptions options_;
    ListSink& sink_;
    ReportWriter* report_ = nullptr;
    Tally tally_;
    std::string field_;
    NumberCheck check_;  // its texts keep their room from one number to the next
};

}  // namespace minizol
