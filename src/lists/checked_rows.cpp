#include "lists/checked_rows.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace minizol {
namespace {

// A row's texts are each written after their length (four bytes): a text may hold any byte.
void AppendText(std::string& texts, std::string_view text) {
    const auto size = static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), UINT32_MAX));
    texts.append(reinterpret_cast<const char*>(&size), sizeof size);
    texts.append(text.substr(0, size));
}

std::string_view NextText(std::string_view texts, std::size_t& pos) {
    std::uint32_t size = 0;
    std::memcpy(&size, texts.data() + pos, sizeof size);
    const std::string_view text = texts.substr(pos + sizeof size, size);
    pos += sizeof size + size;
    return text;
}

constexpr std::size_t kFixedTexts = 4;  // entry, control, form, reason

}  // namespace

std::uint16_t CheckedRows::Interned::Index(std::string_view text) {
    // Rows mostly repeat the text of the row before (a kind, a bank).
    if (text == texts[last]) {
        return last;
    }
    const auto found = indexes.find(std::string(text));
    if (found != indexes.end()) {
        last = found->second;
        return last;
    }
    // So many different names would be no list of accounts: the rest share the last.
    if (texts.size() > std::numeric_limits<std::uint16_t>::max()) {
        return static_cast<std::uint16_t>(texts.size() - 1);
    }
    last = static_cast<std::uint16_t>(texts.size());
    texts.emplace_back(text);
    indexes.emplace(texts.back(), last);
    return last;
}

CheckedRows::CheckedRows(bool withColumn) : ReportWriter(withColumn) {}

void CheckedRows::WriteHeader(const minizol::OwnFields& ownHeader) {
    ownHeader_.clear();
    for (std::size_t i = 0; i < ownCount_; ++i) {
        ownHeader_.emplace_back(ownHeader.Field(i, field_));
    }
}

void CheckedRows::Row(std::uint64_t line, const minizol::OwnFields& own, const ResultCells& cells,
                      Verdict verdict) {
    Stored row;
    row.line = line;
    for (std::string_view text : {cells.entry, cells.control, cells.form, cells.reason}) {
        AppendText(row.texts, text);
    }
    const std::size_t count = std::max(own.Count(), ownCount_);
    row.numbers = 0;
    for (std::size_t i = 0; i < count; ++i) {
        AppendText(row.texts, own.Field(i, field_));
        if (i < 64 && own.IsNumber(i)) {
            row.numbers |= std::uint64_t{1} << i;
        }
    }
    row.column = columns_.Index(cells.column);
    row.bank = banks_.Index(cells.bank);
    row.bic = bics_.Index(cells.bic);
    row.kind = static_cast<std::uint8_t>(kinds_.Index(cells.kind));
    row.verdict = static_cast<std::uint8_t>(verdicts_.Index(cells.verdict));
    // A row without a verdict is a record whose cell was empty; it is shown, and not counted.
    if (row.Checked()) {
        tally_.Count(verdict);
    }
    rows_.push_back(std::move(row));
    verdictCodes_.push_back(verdict);
}

CheckedRows::RowView CheckedRows::At(std::size_t index) const {
    const Stored& row = rows_[index];
    RowView view;
    view.line = row.line;
    view.verdict = verdictCodes_[index];
    view.checked = row.Checked();
    std::size_t pos = 0;
    view.cells.column = columns_.texts[row.column];
    view.cells.entry = NextText(row.texts, pos);
    view.cells.control = NextText(row.texts, pos);
    view.cells.form = NextText(row.texts, pos);
    view.cells.reason = NextText(row.texts, pos);
    view.cells.kind = kinds_.texts[row.kind];
    view.cells.verdict = verdicts_.texts[row.verdict];
    view.cells.bank = banks_.texts[row.bank];
    view.cells.bic = bics_.texts[row.bic];
    return view;
}

std::vector<std::string> CheckedRows::OwnFields(std::size_t index) const {
    const std::string_view texts = rows_[index].texts;
    std::size_t pos = 0;
    std::vector<std::string> fields;
    for (std::size_t text = 0; pos < texts.size(); ++text) {
        const std::string_view field = NextText(texts, pos);
        if (text >= kFixedTexts) {
            fields.emplace_back(field);
        }
    }
    return fields;
}

std::vector<std::uint8_t> CheckedRows::OwnNumbers(std::size_t index) const {
    const std::size_t count = OwnFields(index).size();
    std::vector<std::uint8_t> numbers(count);
    for (std::size_t i = 0; i < count && i < 64; ++i) {
        numbers[i] = (rows_[index].numbers >> i) & 1;
    }
    return numbers;
}

void CheckedRows::Take(CheckedRows& batch) {
    if (ownHeader_.empty() && ownCount_ == 0) {
        ownHeader_ = batch.ownHeader_;
        ownCount_ = batch.ownCount_;
    }
    // The batch's shared texts are its own: its rows are told again in these.
    for (std::size_t i = 0; i < batch.rows_.size(); ++i) {
        Stored& row = batch.rows_[i];
        row.column = columns_.Index(batch.columns_.texts[row.column]);
        row.bank = banks_.Index(batch.banks_.texts[row.bank]);
        row.bic = bics_.Index(batch.bics_.texts[row.bic]);
        row.kind = static_cast<std::uint8_t>(kinds_.Index(batch.kinds_.texts[row.kind]));
        row.verdict =
            static_cast<std::uint8_t>(verdicts_.Index(batch.verdicts_.texts[row.verdict]));
        if (row.Checked()) {
            tally_.Count(batch.verdictCodes_[i]);
        }
        rows_.push_back(std::move(row));
        verdictCodes_.push_back(batch.verdictCodes_[i]);
    }
    batch.rows_.clear();
    batch.verdictCodes_.clear();
    batch.tally_ = {};
}

void CheckedRows::WriteTo(ReportWriter& report) const {
    std::vector<std::string> header = ownHeader_;
    const std::vector<std::string> first =
        rows_.empty() ? std::vector<std::string>() : OwnFields(0);
    report.Header(header.empty() ? minizol::OwnFields() : minizol::OwnFields::Cells(header),
                  minizol::OwnFields::Cells(first));
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const std::vector<std::string> own = OwnFields(i);
        const std::vector<std::uint8_t> numbers = OwnNumbers(i);
        const RowView row = At(i);
        report.Row(row.line,
                   own.empty() ? minizol::OwnFields() : minizol::OwnFields::Cells(own, numbers),
                   row.cells, row.verdict);
    }
}

}  // namespace minizol
