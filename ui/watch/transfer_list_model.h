#pragma once

#include <QAbstractTableModel>

#include <cstdint>
#include <deque>
#include <vector>

namespace vek {

class TransferLog;

// The rows of the Watch I/O window: the log's transfers that pass the Read and Write filters,
// oldest first. It follows the log when told (Sync), so that a burst of transfers costs the view
// one update, not one a transfer.
class TransferListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        kTime,
        kDriver,
        kDevice,
        kRegister,
        kAddress,
        kDirection,
        kValue,
        kStatus,
        kColumnCount
    };

    explicit TransferListModel(const TransferLog& log, QObject* parent = nullptr);

    // Takes the transfers logged since the last Sync and lets go of those the log dropped.
    void Sync();
    void SetFilter(bool reads, bool writes);
    void SetRadix(int radix);
    int Radix() const { return radix_; }
    // The sequence numbers of the rows, for an export of what the list shows.
    std::vector<std::uint64_t> Sequences() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // The logged transfers from `from` on that pass the filters.
    std::vector<std::uint64_t> Passing(std::uint64_t from) const;

    const TransferLog& log_;
    std::deque<std::uint64_t> rows_; // sequence numbers
    std::uint64_t seen_ = 0;         // the log's End() at the last Sync
    bool reads_ = true;
    bool writes_ = true;
    int radix_ = 16;
};

} // namespace vek
