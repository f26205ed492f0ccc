#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lists/report.h"

namespace minizol {

// A report kept in memory, for a window that shows its rows in a table, filters and sorts them,
// and saves them: each row's cells and the user's own fields, a million rows in some 150 MiB.
// It is written as any report is, by a ListReader; rows can be handed on in batches, so that a
// reader on one thread fills one store while a window shows another.
class CheckedRows final : public ReportWriter {
  public:
    explicit CheckedRows(bool withColumn = false);

    struct RowView {
        std::uint64_t line = 0;
        Verdict verdict = Verdict::Unknown;
        bool checked = false;  // false for a record whose cell was empty: no number, no verdict
        ResultCells cells;     // views into the store, valid while it lives and is not added to
    };

    std::size_t size() const { return rows_.size(); }
    RowView At(std::size_t index) const;
    // The user's own fields of row `index`, and the names of those fields (empty names when the
    // input had no header).
    std::vector<std::string> OwnFields(std::size_t index) const;
    // Which of them were numbers in a sheet, to be written back as numbers (1) or as text (0).
    std::vector<std::uint8_t> OwnNumbers(std::size_t index) const;
    const std::vector<std::string>& ownHeader() const { return ownHeader_; }
    bool withColumn() const { return withColumn_; }
    // The verdicts of the rows, as the summary counts them.
    const Tally& tally() const { return tally_; }

    // Moves the rows of `batch` (and its header, if this has none yet) to the end of these.
    void Take(CheckedRows& batch);
    // Writes the rows again into another report (a file being saved), header first.
    void WriteTo(ReportWriter& report) const;

    void Row(std::uint64_t line, const minizol::OwnFields& own, const ResultCells& cells,
             Verdict verdict) override;
    bool Finish() override { return true; }
    std::string error() const override { return {}; }

  private:
    // A row's texts one after another in one string: entry, control, form, reason, then the own
    // fields. Kind, verdict, bank, BIC and column come from small shared lists. A million rows
    // are held at once: the struct stays at 56 bytes.
    struct Stored {
        std::uint64_t line;
        std::string texts;
        std::uint64_t numbers;  // which of the first 64 own fields were numbers in their sheet
        std::uint16_t column;
        std::uint16_t bank;
        std::uint16_t bic;
        std::uint8_t kind;
        std::uint8_t verdict;  // its name's index; 0, the empty name, for a row not checked

        bool Checked() const { return verdict != 0; }
    };

    void WriteHeader(const minizol::OwnFields& ownHeader) override;
    // Texts that many rows share (a kind, a bank's name), kept once.
    struct Interned {
        std::vector<std::string> texts{""};
        std::unordered_map<std::string, std::uint16_t> indexes{{"", 0}};
        std::uint16_t last = 0;
        std::uint16_t Index(std::string_view text);
    };

    std::vector<Stored> rows_;
    std::vector<Verdict> verdictCodes_;
    std::vector<std::string> ownHeader_;
    Interned columns_;
    Interned banks_;
    Interned bics_;
    Interned kinds_;
    Interned verdicts_;
    Tally tally_;
    std::string field_;
};

}  // namespace minizol
