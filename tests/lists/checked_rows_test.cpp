#include "lists/checked_rows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "lists/list_reader.h"

namespace minizol {
namespace {

// A list written to a temporary file, as a window opens one.
class ListFile {
  public:
    explicit ListFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
    ~ListFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

  private:
    // One per test: CTest runs the tests of this file side by side.
    std::string path_ = ::testing::TempDir() + "checked_rows_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv";
};

// A window's sink: rows into a store, handed on to `shown` in batches whenever the reader looks
// up, and a stop after `stopAfter` looks.
class WindowSink final : public ListSink {
  public:
    explicit WindowSink(int stopAfter = -1) : stopAfter_(stopAfter) {}
    ReportWriter& Report(const CsvForm&, bool withColumn, std::size_t) override {
        if (!batch_) {
            batch_ = std::make_unique<CheckedRows>(withColumn);
            shown = CheckedRows(withColumn);
        }
        return *batch_;
    }
    void Say(const std::string& message) override { said.push_back(message); }
    void Columns(const std::vector<std::string>& names,
                 const std::vector<std::size_t>& checked) override {
        columnNames = names;
        checkedColumns = checked;
    }
    bool Cancelled() override {
        HandOn();
        return stopAfter_ >= 0 && looks_++ >= stopAfter_;
    }
    void HandOn() {
        if (batch_) {
            shown.Take(*batch_);
        }
    }

    CheckedRows shown;
    std::vector<std::string> said;
    std::vector<std::string> columnNames;
    std::vector<std::size_t> checkedColumns;

  private:
    std::unique_ptr<CheckedRows> batch_;
    int stopAfter_;
    int looks_ = 0;
};

const char* const kList =
    "Nombre;NIF;IBAN\r\n"
    "Peña;B12345674;ES91 2100 0418 4502 0005 1332\r\n"
    "Ruiz;12345678J;;nota\r\n"
    "Gil\r\n";

TEST(CheckedRows, KeepWhatTheReportWouldWrite) {
    const ListFile file(kList);
    WindowSink sink;
    ListOptions options;
    options.table = true;
    options.columns = {"nif", "IBAN"};
    ListReader reader(options, sink);
    ASSERT_TRUE(reader.ReadInput(file.path()));
    sink.HandOn();
    const CheckedRows& rows = sink.shown;
    EXPECT_EQ(rows.ownHeader(), (std::vector<std::string>{"Nombre", "NIF", "IBAN"}));
    const struct {
        std::uint64_t line;
        const char* column;
        const char* entry;
        const char* verdict;
        const char* bank;
        std::vector<std::string> own;
    } expected[] = {
        {2,
         "NIF",
         "B12345674",
         "correcto",
         "",
         {"Peña", "B12345674", "ES91 2100 0418 4502 0005 1332"}},
        {2,
         "IBAN",
         "ES91 2100 0418 4502 0005 1332",
         "correcto",
         "Caja de ah. y pensiones de barcelona",
         {"Peña", "B12345674", "ES91 2100 0418 4502 0005 1332"}},
        {3, "NIF", "12345678J", "incorrecto", "", {"Ruiz", "12345678J", "", "nota"}},
        {3, "IBAN", "", "", "", {"Ruiz", "12345678J", "", "nota"}},
        {4, "NIF", "", "desconocido", "", {"Gil", "", ""}},
        {4, "IBAN", "", "desconocido", "", {"Gil", "", ""}},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CheckedRows::RowView row = rows.At(i);
        EXPECT_EQ(row.line, expected[i].line) << i;
        EXPECT_EQ(row.cells.column, expected[i].column) << i;
        EXPECT_EQ(row.cells.entry, expected[i].entry) << i;
        EXPECT_EQ(row.cells.verdict, expected[i].verdict) << i;
        EXPECT_EQ(row.cells.bank, expected[i].bank) << i;
        EXPECT_EQ(rows.OwnFields(i), expected[i].own) << i;
    }
    EXPECT_EQ(SummaryText(rows.tally()), SummaryText(reader.tally()));
}

// Handed on in batches or kept in one store, the rows are the same, and written again they make
// the report the reader writes itself.
TEST(CheckedRows, BatchesAndSavingKeepEveryRow) {
    std::string list = "NIF;IBAN\n";
    for (int i = 0; i < 10000; ++i) {
        list += i % 7 == 0 ? "12345678J;ES91 2100 0418 4502 0005 1333\n"
                           : "12345678Z;ES91 2100 0418 4502 0005 1332\n";
    }
    const ListFile file(list);
    ListOptions options;
    options.table = true;
    WindowSink sink;
    ListReader reader(options, sink);
    ASSERT_TRUE(reader.ReadInput(file.path()));
    sink.HandOn();
    ASSERT_EQ(sink.shown.size(), 20000u);

    std::FILE* direct = std::tmpfile();
    std::FILE* saved = std::tmpfile();
    struct FileSink final : ListSink {
        explicit FileSink(int fd) : report(fd, {';', "\n", {}}, true) {}
        ReportWriter& Report(const CsvForm&, bool, std::size_t) override { return report; }
        void Say(const std::string&) override {}
        CsvReport report;
    } directSink(fileno(direct));
    ListReader(options, directSink).ReadInput(file.path());
    ASSERT_TRUE(directSink.report.Finish());
    CsvReport savedReport(fileno(saved), {';', "\n", {}}, true);
    sink.shown.WriteTo(savedReport);
    ASSERT_TRUE(savedReport.Finish());
    const auto contents = [](std::FILE* f) {
        std::rewind(f);
        std::string text;
        for (int c; (c = std::fgetc(f)) != EOF;) {
            text += static_cast<char>(c);
        }
        std::fclose(f);
        return text;
    };
    const std::string expected = contents(direct);
    EXPECT_EQ(contents(saved), expected);
    EXPECT_EQ(sink.shown.tally().wrong, 2 * ((10000 + 6) / 7));
}

// A sheet's numbers are kept as numbers, to be saved as such; text stays text.
TEST(CheckedRows, KeepWhichCellsWereNumbers) {
    CheckedRows rows;
    const std::vector<std::string> cells = {"Ana", "12,5", "00123"};
    const std::vector<std::uint8_t> numbers = {0, 1, 0};
    const NumberCheck check = CheckNumber("12345678Z");
    rows.Header(OwnFields(), OwnFields::Cells(cells, numbers));
    rows.Row(2, OwnFields::Cells(cells, numbers), CheckedCells("", "12345678Z", check),
             check.verdict);
    rows.Row(3, OwnFields::Cells(cells), CheckedCells("", "12345678Z", check), check.verdict);
    EXPECT_EQ(rows.OwnNumbers(0), numbers);
    EXPECT_EQ(rows.OwnNumbers(1), (std::vector<std::uint8_t>{0, 0, 0}));
    EXPECT_EQ(rows.OwnFields(0), cells);
}

TEST(CheckedRows, AStopEndsTheReading) {
    std::string list;
    for (int i = 0; i < 100000; ++i) {
        list += "12345678Z\n";
    }
    const ListFile file(list);
    WindowSink sink(1);
    ListReader reader({}, sink);
    EXPECT_FALSE(reader.ReadInput(file.path()));
    sink.HandOn();
    EXPECT_GT(sink.shown.size(), 0u);
    EXPECT_LT(sink.shown.size(), 100000u);
}

// A window lists every column of the file, by its header's name where it has one, and ticks those
// checked: found, or chosen by number.
TEST(ListReader, TellsTheColumnsAndThoseChecked) {
    using Names = std::vector<std::string>;
    using Checked = std::vector<std::size_t>;
    const char* const suppliers =
        "Nombre;NIF;IBAN\n"
        "Peña;B12345674;ES91 2100 0418 4502 0005 1332\n"
        "Ruiz;12345678Z;ES7000491500051234567892;nota\n"
        "Gil;12345678J;ES91 2100 0418 4502 0005 1333\n";
    const struct {
        const char* text;
        Names columns;
        Names names;
        Checked checked;
    } cases[] = {
        // The widest record counts, past its header.
        {suppliers, {}, {"Nombre", "NIF", "IBAN", ""}, {1, 2}},
        {suppliers, {"3"}, {"Nombre", "NIF", "IBAN", ""}, {2}},
        {"B12345674,x,ES91 2100 0418 4502 0005 1332\n12345678Z,y,ES7000491500051234567892\n",
         {},
         {"", "", ""},
         {0, 2}},
    };
    for (const auto& c : cases) {
        const ListFile file(c.text);
        WindowSink sink;
        ListOptions options;
        options.table = true;
        options.columns = c.columns;
        ASSERT_TRUE(ListReader(options, sink).ReadInput(file.path()));
        EXPECT_EQ(sink.columnNames, c.names) << c.text;
        EXPECT_EQ(sink.checkedColumns, c.checked) << c.text;
    }
}

}  // namespace
}  // namespace minizol
