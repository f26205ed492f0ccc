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

std::vector<int> ListTableModel::Order(int column, Qt::SortOrder order) const {
    // A row's place by the column: its line, or its text's first eight bytes as a number, which
    // decide most comparisons without reaching into the scattered texts. The stores never change
    // once appended, so the texts viewed stay where they are.
    struct Key {
        std::uint64_t head;
        std::string_view text;
        int row;
    };
    std::vector<Key> keys;
    keys.reserve(size_);
    for (std::size_t batch = 0; batch < batches_.size(); ++batch) {
        const CheckedRows& rows = *batches_[batch];
        for (std::size_t at = 0; at < rows.size(); ++at) {
            const CheckedRows::RowView row = rows.At(at);
            const int index = static_cast<int>(starts_[batch] + at);
            if (column <= 0) {
                keys.push_back({row.line, {}, index});
                continue;
            }
            const std::string_view text = Cell(row, column);
            std::uint64_t head = 0;
            for (std::size_t i = 0; i < 8; ++i) {
                head = head << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0U);
            }
            keys.push_back({head, text, index});
        }
    }
    // Ties keep the table's order: sorted in place, with no stable sort's copy of a million keys.
    const bool ascending = order == Qt::AscendingOrder;
    std::sort(keys.begin(), keys.end(), [ascending](const Key& a, const Key& b) {
        if (a.head != b.head) {
            return (a.head < b.head) == ascending;
        }
        if (a.text != b.text) {
            return (a.text < b.text) == ascending;
        }
        return a.row < b.row;
    });
    std::vector<int> rows;
    rows.reserve(keys.size());
    for (const Key& key : keys) {
        rows.push_back(key.row);
    }
    return rows;
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
        case ResultColumn::Bic:
            return row.cells.bic;
        case ResultColumn::Reason:
            return row.cells.reason;
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
            if (index.column() == 0) {
                return {};
            }
            // A wrong verdict's tip says why, as DigiZol's red boxes do.
            if (columns_[static_cast<std::size_t>(index.column()) - 1] == ResultColumn::Verdict &&
                !row.cells.reason.empty()) {
                return QStringLiteral("Incorrecto: ") + FromUtf8(row.cells.reason);
            }
            // A bank's name and a long number are cut to the column; the tip shows them whole.
            return FromUtf8(Cell(row, index.column()));
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
    if (orientation == Qt::Horizontal && role == Qt::InitialSortOrderRole) {
        // A first click sorts from the least, whatever the style's arrows suggest.
        return static_cast<int>(Qt::AscendingOrder);
    }
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
    : QAbstractTableModel(parent), source_(source) {
    connect(&source, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&source, &QAbstractItemModel::modelReset, this, [this] {
        order_.clear();
        Rebuild();
        endResetModel();
    });
    connect(&source, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { SourceRowsInserted(first, last); });
    connect(&source, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (!rows_.empty()) {
                    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), roles);
                }
            });
    Rebuild();
}

void ListFilterModel::ShowOnlyNotRight(bool only) {
    if (only != onlyNotRight_) {
        onlyNotRight_ = only;
        // Mapped again in one pass: filtering a million rows in place would remove the rows
        // between each two shown one range at a time.
        Relayout();
    }
}

void ListFilterModel::SetOrder(std::vector<int> order) {
    order_ = std::move(order);
    Relayout();
}

void ListFilterModel::SortWith(std::function<void(int column, Qt::SortOrder order)> sorter) {
    sorter_ = std::move(sorter);
}

void ListFilterModel::sort(int column, Qt::SortOrder order) {
    if (sorter_) {
        sorter_(column, order);
        return;
    }
    SetOrder(column < 0 ? std::vector<int>() : source_.Order(column, order));
}

void ListFilterModel::Rebuild() {
    rows_.clear();
    const int count = source_.rowCount();
    for (int at = 0; at < count; ++at) {
        const int row = order_.empty() ? at : order_[static_cast<std::size_t>(at)];
        if (Shown(row)) {
            rows_.push_back(row);
        }
    }
}

void ListFilterModel::Relayout() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> sourceRows;
    sourceRows.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before) {
        sourceRows.push_back(rows_[static_cast<std::size_t>(index.row())]);
    }
    Rebuild();
    if (!before.isEmpty()) {
        // Each row selected or current goes where its row went, or away when filtered out.
        std::vector<int> place(static_cast<std::size_t>(source_.rowCount()), -1);
        for (std::size_t at = 0; at < rows_.size(); ++at) {
            place[static_cast<std::size_t>(rows_[at])] = static_cast<int>(at);
        }
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i) {
            const int row =
                place[static_cast<std::size_t>(sourceRows[static_cast<std::size_t>(i)])];
            after << (row < 0 ? QModelIndex() : index(row, before[i].column()));
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// The table only grows at its end: the new rows come after those in order, and the next sort
// puts them in their place.
void ListFilterModel::SourceRowsInserted(int first, int last) {
    std::vector<int> shown;
    for (int row = first; row <= last; ++row) {
        if (!order_.empty()) {
            order_.push_back(row);
        }
        if (Shown(row)) {
            shown.push_back(row);
        }
    }
    if (shown.empty()) {
        return;
    }
    const int at = rowCount();
    beginInsertRows({}, at, at + static_cast<int>(shown.size()) - 1);
    rows_.insert(rows_.end(), shown.begin(), shown.end());
    endInsertRows();
}

int ListFilterModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ListFilterModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : source_.columnCount();
}

QVariant ListFilterModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    return source_.data(source_.index(rows_[static_cast<std::size_t>(index.row())], index.column()),
                        role);
}

QVariant ListFilterModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return source_.headerData(section, orientation, role);
}

}  // namespace minizol
