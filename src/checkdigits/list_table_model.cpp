#include "checkdigits/list_table_model.h"

#include <QFont>
#include <QPalette>

#include "platform/qt_convert.h"

namespace minizol {

ListTableModel::ListTableModel(QObject* parent) : QAbstractTableModel(parent) {
    Start(false);
    SetPalette(QPalette());
}

void ListTableModel::Start(bool withColumn) {
    beginResetModel();
    rows_ = CheckedRows(withColumn);
    columns_.clear();
    ForEachResultCell(
        kResultColumnNames, withColumn,
        [this](ResultColumn column, std::string_view) { columns_.push_back(column); });
    endResetModel();
}

void ListTableModel::Append(CheckedRows& batch) {
    if (batch.size() == 0) {
        return;
    }
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(batch.size()) - 1);
    rows_.Take(batch);
    endInsertRows();
}

void ListTableModel::SetPalette(const QPalette& palette) {
    const bool darkBase = palette.color(QPalette::Base).lightness() < 128;
    wrong_ = QColor::fromHsl(0, 210, darkBase ? 175 : 95);
    muted_ = palette.color(QPalette::PlaceholderText);
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::ForegroundRole});
    }
}

bool ListTableModel::NotRight(int row) const {
    const CheckedRows::RowView view = rows_.At(static_cast<std::size_t>(row));
    return view.checked && view.verdict != Verdict::Correct;
}

bool ListTableModel::Less(int left, int right, int column) const {
    const CheckedRows::RowView a = rows_.At(static_cast<std::size_t>(left));
    const CheckedRows::RowView b = rows_.At(static_cast<std::size_t>(right));
    if (column == 0) {
        return a.line < b.line;
    }
    return Cell(a, column) < Cell(b, column);
}

int ListTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ListTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size()) + 1;
}

std::string_view ListTableModel::Cell(const CheckedRows::RowView& row, int column) const {
    switch (columns_[static_cast<std::size_t>(column) - 1]) {
        case ResultColumn::Column:
            return row.cells.column;
        case ResultColumn::Entry:
            return row.cells.entry;
        case ResultColumn::Kind:
            return row.cells.kind;
        case ResultColumn::Verdict:
            return row.cells.verdict;
        case ResultColumn::Control:
            return row.cells.control;
        case ResultColumn::Form:
            return row.cells.form;
        case ResultColumn::Bank:
            return row.cells.bank;
    }
    return {};
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const CheckedRows::RowView row = rows_.At(static_cast<std::size_t>(index.row()));
    const bool muted =
        row.checked && (row.verdict == Verdict::Incomplete || row.verdict == Verdict::Unknown);
    switch (role) {
        case Qt::DisplayRole:
            return index.column() == 0 ? QString::number(row.line)
                                       : FromUtf8(Cell(row, index.column()));
        case Qt::ForegroundRole:
            if (row.checked && row.verdict == Verdict::Wrong) {
                return wrong_;
            }
            return muted ? QVariant(muted_) : QVariant();
        case Qt::FontRole:
            if (muted) {
                QFont italic;
                italic.setItalic(true);
                return italic;
            }
            return {};
        case Qt::TextAlignmentRole:
            if (index.column() == 0) {
                return (Qt::AlignRight | Qt::AlignVCenter).toInt();
            }
            return {};
        case kVerdictRole:
            return row.checked ? static_cast<int>(row.verdict) : -1;
        default:
            return {};
    }
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (section == 0) {
        return QStringLiteral("línea");  // the report's "linea", written as a reader expects
    }
    CheckedRows::RowView names;
    names.cells = kResultColumnNames;
    return FromUtf8(Cell(names, section));
}

ListFilterModel::ListFilterModel(ListTableModel& source, QObject* parent)
    : QSortFilterProxyModel(parent), source_(source) {
    setSourceModel(&source);
}

void ListFilterModel::ShowOnlyNotRight(bool only) {
    if (only != onlyNotRight_) {
        onlyNotRight_ = only;
        invalidateRowsFilter();
    }
}

bool ListFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return !onlyNotRight_ || source_.NotRight(sourceRow);
}

bool ListFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return source_.Less(left.row(), right.row(), left.column());
}

}  // namespace minizol
