#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <cstddef>
#include <cstdint>
#include <functional>
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
    // The rows in their order by `column`, ties as they are: line numbers by value, the other
    // cells by their text. It only reads the rows, so it may run on another thread while no rows
    // are appended and the table is not started again.
    std::vector<int> Order(int column, Qt::SortOrder order) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    CheckedRows::RowView Row(int row) const;
    // The text of a result cell; column 0, the line, is none of them.
    std::string_view Cell(const CheckedRows::RowView& row, int column) const;

    std::vector<std::unique_ptr<CheckedRows>> batches_;
    std::vector<std::size_t> starts_;  // the first row of each batch
    std::size_t size_ = 0;
    Tally tally_;
    bool withColumn_ = false;
    std::vector<ResultColumn> columns_;  // after the line
    QColor wrong_;
    QColor muted_;
};

// The table as shown: in the order of a clicked header, and filtered to the rows that are not
// right. The order is worked out apart (ListTableModel::Order, on any thread) and then put in
// place at once, so that sorting a million rows never holds the window up.
class ListFilterModel final : public QAbstractTableModel {
  public:
    ListFilterModel(ListTableModel& source, QObject* parent);

    void ShowOnlyNotRight(bool only);
    // Shows the rows in `order`, every row of the table once; empty, in line order.
    void SetOrder(std::vector<int> order);
    // Has `sorter` sort, by the column and order a view asks for, rather than sorting at once.
    void SortWith(std::function<void(int column, Qt::SortOrder order)> sorter);
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    bool Shown(int sourceRow) const { return !onlyNotRight_ || source_.NotRight(sourceRow); }
    // The rows shown anew, from the order and the filter, the selection kept where it can be.
    void Relayout();
    void Rebuild();
    void SourceRowsInserted(int first, int last);

    ListTableModel& source_;
    bool onlyNotRight_ = false;
    std::vector<int> order_;  // the source's rows as sorted; empty, in line order
    std::vector<int> rows_;   // the source's row of each row shown
    std::function<void(int, Qt::SortOrder)> sorter_;
};

}  // namespace minizol
