#include "checkdigits/list_table_model.h"

#include <QFont>
#include <QPalette>
#include <algorithm>

#include "platform/qt_convert.h"

namespace minizol {

ListTableModel::ListTableModel(QObject* parent) : QAbstractTableModel(parent) {
    Start(false);
    SetPalette(QPalette());
}

void ListTableModel::Start(bool withColumn) {
    beginResetModel();
    batches_.clear();
    starts_.clear();
    size_ = 0;
    tally_ = {};
    withColumn_ = withColumn;
    columns_.clear();
    ForEachResultCell(
        kResultColumnNames, withColumn,
        [this](ResultColumn column, std::string_view) { columns_.push_back(column); });
    keyColumn_ = -1;
    keys_.clear();
    endResetModel();
}

void ListTableModel::Append(CheckedRows&& batch) {
    if (batch.size() == 0) {
        return;
    }
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(batch.size()) - 1);
    starts_.push_back(size_);
    size_ += batch.size();
    const Tally& counted = batch.tally();
    tally_.read += counted.read;
    tally_.correct += counted.correct;
    tally_.wrong += counted.wrong;
    tally_.incomplete += counted.incomplete;
    tally_.unknown += counted.unknown;
    batches_.push_back(std::make_unique<CheckedRows>(std::move(batch)));
    endInsertRows();
}

void ListTableModel::WriteTo(ReportWriter& report) const {
    // The header comes with the first batch; the others find it written.
    for (const auto& batch : batches_) {
        batch->WriteTo(report);
    }
}

CheckedRows::RowView ListTableModel::Row(int row) const {
    const auto at = static_cast<std::size_t>(row);
    const auto batch = std::upper_bound(starts_.begin(), starts_.end(), at) - starts_.begin() - 1;
    return batches_[static_cast<std::size_t>(batch)]->At(at -
                                                         starts_[static_cast<std::size_t>(batch)]);
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
    const CheckedRows::RowView view = Row(row);
    return view.checked && view.verdict != Verdict::Correct;
}

bool ListTableModel::Less(int left, int right, int column) const {
    if (column != keyColumn_) {
        keyColumn_ = column;
        keys_.clear();
    }
    // The stores never change once appended, so the texts viewed stay where they are.
    const auto needed = static_cast<std::size_t>(std::max(left, right)) + 1;
    while (keys_.size() < needed) {
        const CheckedRows::RowView row = Row(static_cast<int>(keys_.size()));
        if (column == 0) {
            keys_.push_back({row.line, {}});
            continue;
        }
        const std::string_view text = Cell(row, column);
        std::uint64_t head = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            head = head << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0U);
        }
        keys_.push_back({head, text});
    }
    const SortKey& a = keys_[static_cast<std::size_t>(left)];
    const SortKey& b = keys_[static_cast<std::size_t>(right)];
    return a.head != b.head ? a.head < b.head : a.text < b.text;
}

int ListTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(size_);
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
    const CheckedRows::RowView row = Row(index.row());
    const bool muted =
        row.checked && (row.verdict == Verdict::Incomplete || row.verdict == Verdict::Unknown);
    switch (role) {
        case Qt::DisplayRole:
            return index.column() == 0 ? QString::number(row.line)
                                       : FromUtf8(Cell(row, index.column()));
        case Qt::ToolTipRole:
            // A bank's name and a long number are cut to the column; the tip shows them whole.
            return index.column() == 0 ? QVariant() : QVariant(FromUtf8(Cell(row, index.column())));
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
        // Mapped again in one pass: filtering a million rows in place would remove the rows
        // between each two shown one range at a time.
        invalidate();
    }
}

bool ListFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return !onlyNotRight_ || source_.NotRight(sourceRow);
}

bool ListFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return source_.Less(left.row(), right.row(), left.column());
}

}  // namespace minizol
