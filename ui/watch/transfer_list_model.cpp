#include "ui/watch/transfer_list_model.h"

#include "model/transfer_log.h"
#include "ui/host/text_conversion.h"

#include <QBrush>

#include <algorithm>

namespace vek {

TransferListModel::TransferListModel(const TransferLog& log, QObject* parent)
    : QAbstractTableModel(parent), log_(log) {}

std::vector<std::uint64_t> TransferListModel::Passing(std::uint64_t from) const {
    std::vector<std::uint64_t> passing;
    for (std::uint64_t s = from; s < log_.End(); ++s) {
        if (log_.At(s).write ? writes_ : reads_)
            passing.push_back(s);
    }
    return passing;
}

void TransferListModel::Sync() {
    const std::uint64_t oldest = log_.Oldest();
    const auto gone =
        static_cast<int>(std::find_if(rows_.begin(), rows_.end(),
                                      [oldest](std::uint64_t s) { return s >= oldest; }) -
                         rows_.begin());
    if (gone > 0) {
        beginRemoveRows({}, 0, gone - 1);
        rows_.erase(rows_.begin(), rows_.begin() + gone);
        endRemoveRows();
    }
    const std::vector<std::uint64_t> fresh = Passing(std::max(seen_, oldest));
    seen_ = log_.End();
    if (fresh.empty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(fresh.size()) - 1);
    rows_.insert(rows_.end(), fresh.begin(), fresh.end());
    endInsertRows();
}

void TransferListModel::SetFilter(bool reads, bool writes) {
    if (reads == reads_ && writes == writes_)
        return;
    beginResetModel();
    reads_ = reads;
    writes_ = writes;
    const std::vector<std::uint64_t> passing = Passing(log_.Oldest());
    rows_.assign(passing.begin(), passing.end());
    seen_ = log_.End();
    endResetModel();
}

void TransferListModel::SetRadix(int radix) {
    radix_ = radix;
    if (!rows_.empty())
        Q_EMIT dataChanged(index(0, kValue), index(rowCount() - 1, kValue));
}

std::vector<std::uint64_t> TransferListModel::Sequences() const {
    return {rows_.begin(), rows_.end()};
}

int TransferListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TransferListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant TransferListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TransferRecord& record = log_.At(rows_[static_cast<std::size_t>(index.row())]);
    if (role == Qt::ForegroundRole && index.column() == kStatus && record.failure != 0)
        return QBrush(Qt::red);
    if (role == Qt::TextAlignmentRole && (index.column() == kTime || index.column() == kValue))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const TransferSource& source = log_.SourceOf(record);
    switch (index.column()) {
    case kTime:
        return QString::number(static_cast<double>(record.microseconds) / 1000.0, 'f', 1);
    case kDriver:
        return ToQString(source.driver);
    case kDevice:
        return ToQString(source.device);
    case kRegister:
        return ToQString(source.reg);
    case kAddress:
        return ToQString(source.address);
    case kDirection:
        return record.write ? QStringLiteral("W") : QStringLiteral("R");
    case kValue:
        // A read that failed brought no value.
        if (!record.write && record.failure != 0)
            return QStringLiteral("-");
        return ToQString(TransferValueText(record.value, source.dataLength, radix_));
    case kStatus:
        return record.failure == 0 ? QStringLiteral("ok") : ToQString(log_.FailureOf(record));
    default:
        return {};
    }
}

QVariant TransferListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kTitles[kColumnCount] = {"Time (ms)", "Driver", "Device", "Register",
                                                      "Address",   "R/W",    "Value",  "Status"};
    return section >= 0 && section < kColumnCount ? QString::fromLatin1(kTitles[section])
                                                  : QVariant();
}

} // namespace vek
