#pragma once

#include "model/register_codes.h"
#include "model/run_limits.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vek {

class CShadowReg;

// Where a logged transfer went: a register of a device of a driver. Kept as text, so that the log
// outlives the documents and drivers whose transfers it holds.
struct TransferSource {
    std::string driver;
    std::string device;
    std::string reg;     // the name of the register's first item
    std::string address; // "0x" and the address bytes, as the trace shows it
    std::uint64_t addressNumber = 0;
    std::uint16_t dataLength = 0; // bytes
};

struct TransferRecord {
    std::uint64_t microseconds = 0; // since the log started
    std::uint32_t source = 0;       // index of its TransferSource
    std::uint32_t value = 0;        // written, or read when done
    std::uint32_t failure = 0;      // 0: done; else 1 + index of its failure text
    bool write = false;
};

// The transfers that reached the drivers, the newest last, in a ring of bounded size: when it is
// full the oldest give way and are counted. Each transfer has a sequence number that goes on
// through Clear, so that a view can tell which ones it has shown. A program keeps one log: it
// knows the registers it has seen by the listener tag it leaves on them.
class TransferLog {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit TransferLog(std::size_t capacity = kTransferLogCapacity, Clock clock = nullptr);

    // Time 0 is the first Start; transfers before it are not logged.
    void Start();
    bool Recording() const { return recording_; }
    // A transfer as it ends (RegisterContext::transferred): the register holds the value written
    // or read, or the reason in its last error.
    void Add(const CShadowReg& reg, UpdateCode direction, bool done);
    // Empties the log; sequence numbers go on.
    void Clear();

    // Sequence numbers of the kept transfers: [Oldest(), End()).
    std::uint64_t Oldest() const { return end_ - kept_; }
    std::uint64_t End() const { return end_; }
    // Transfers that gave way to newer ones since the last Clear.
    std::uint64_t Dropped() const { return end_ - cleared_ - kept_; }
    const TransferRecord& At(std::uint64_t sequence) const;
    const TransferSource& SourceOf(const TransferRecord& record) const;
    // The reason a failed transfer gives; "" for one that was done.
    const std::string& FailureOf(const TransferRecord& record) const;
    // The wall-clock time of a record, for exports.
    std::chrono::system_clock::time_point WallTimeOf(const TransferRecord& record) const;

private:
    std::uint32_t SourceIndex(const CShadowReg& reg);
    std::uint32_t FailureIndex(const std::string& text);

    Clock clock_;
    std::size_t capacity_;
    std::vector<TransferRecord> ring_; // grows to capacity_, then record n is at n % capacity_
    std::uint64_t end_ = 0;            // sequence number of the next transfer
    std::uint64_t kept_ = 0;           // transfers in the ring
    std::uint64_t cleared_ = 0;        // end_ at the last Clear
    bool recording_ = false;
    std::chrono::steady_clock::time_point start_;
    std::chrono::system_clock::time_point wallStart_;
    std::vector<TransferSource> sources_; // by the registers' listener tags less one
    std::vector<std::string> failures_;
    std::unordered_map<std::string, std::uint32_t> failureOf_;
};

// A logged value in radix 16 ("0x" and two digits a data byte), 10, or 2 (eight digits a byte).
std::string TransferValueText(std::uint32_t value, std::uint16_t dataLength, int radix);

} // namespace vek
