#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QSortFilterProxyModel>
#include <string_view>
#include <vector>

#include "lists/checked_rows.h"

class QPalette;

namespace minizol {

// The rows of a checked list as a table, straight from their compact store: the view asks for
// the cells it shows, so a million rows cost no widget and no copy. Columns as the report
// names them: línea, (columna), entrada, tipo, resultado, control, forma, banco.
class ListTableModel final : public QAbstractTableModel {
  public:
    // The verdict of a row, a Verdict's value, or -1 for a record whose cell held no number.
    static constexpr int kVerdictRole = Qt::UserRole;

    explicit ListTableModel(QObject* parent = nullptr);

    // Empties the table for rows of this form: with the column checked, when several are.
    void Start(bool withColumn);
    // Moves the rows of `batch` to the end of the table.
    void Append(CheckedRows& batch);
    const CheckedRows& rows() const { return rows_; }

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
    // The text of a result cell; column 0, the line, is none of them.
    std::string_view Cell(const CheckedRows::RowView& row, int column) const;

    CheckedRows rows_;
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
