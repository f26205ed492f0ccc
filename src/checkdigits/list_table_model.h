#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QSortFilterProxyModel>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "lists/checked_rows.h"

class QPalette;

namespace minizol {

// The rows of a checked list as a table, straight from their compact stores: the view asks for
// the cells it shows, so a million rows cost no widget and no copy. Columns as the report
// names them: línea, (columna), entrada, tipo, resultado, control, forma, banco.
//
// Each batch of rows stays the store it came in: taken whole, it costs the window's thread
// nothing however many rows it holds, and the rows never move again.
class ListTableModel final : public QAbstractTableModel {
  public:
    // The verdict of a row, a Verdict's value, or -1 for a record whose cell held no number.
    static constexpr int kVerdictRole = Qt::UserRole;

    explicit ListTableModel(QObject* parent = nullptr);

    // Empties the table for rows of this form: with the column checked, when several are.
    void Start(bool withColumn);
    // Puts the rows of `batch` at the end of the table.
    void Append(CheckedRows&& batch);
    // The verdicts of all the rows, as the summary counts them.
    const Tally& tally() const { return tally_; }
    bool withColumn() const { return withColumn_; }
    // Writes every row into `report`, in their order, the header first.
    void WriteTo(ReportWriter& report) const;

    // Takes the verdicts' colours from the palette the table is shown in: a wrong verdict in red
    // as dark or light as the text around it, an incomplete or unknown one in the muted colour
    // of placeholder text.
    void SetPalette(const QPalette& palette);

    // Whether row `row` holds a number that is not right: those the summary counts as such.
    bool NotRight(int row) const;
    // Whether row `left` goes before row `right` by `column`: line numbers by value, the other
    // cells by their text.
    bool Less(int left, int right, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    CheckedRows::RowView Row(int row) const;
    // The text of a result cell; column 0, the line, is none of them.
    std::string_view Cell(const CheckedRows::RowView& row, int column) const;

    // A row's place in the order of one column: its line, or its text's first eight bytes as a
    // number, which decide most comparisons without reaching into the scattered texts.
    struct SortKey {
        std::uint64_t head;
        std::string_view text;
    };
    // The keys of the column last sorted by, row by row as far as asked: a sort compares each
    // row some twenty times, and finding its cells each time took seconds for a million rows.
    mutable int keyColumn_ = -1;
    mutable std::vector<SortKey> keys_;

    std::vector<std::unique_ptr<CheckedRows>> batches_;
    std::vector<std::size_t> starts_;  // the first row of each batch
    std::size_t size_ = 0;
    Tally tally_;
    bool withColumn_ = false;
    std::vector<ResultColumn> columns_;  // after the line
    QColor wrong_;
    QColor muted_;
};

// The table as shown: sorted by a clicked header, and filtered to the rows that are not right.
class ListFilterModel final : public QSortFilterProxyModel {
  public:
    ListFilterModel(ListTableModel& source, QObject* parent);

    void ShowOnlyNotRight(bool only);

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

  private:
    ListTableModel& source_;
    bool onlyNotRight_ = false;
};

}  // namespace minizol
