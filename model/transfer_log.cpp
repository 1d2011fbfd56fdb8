#include "model/transfer_log.h"

#include "model/line_item.h"
#include "model/shadow_reg.h"
#include "platform/number_text.h"

#include <string_view>

namespace vek {

namespace {

std::string_view FirstItemName(const CShadowReg& reg) {
    return reg.GetItems().empty() ? std::string_view() : reg.GetItems()[0]->GetName();
}

} // namespace

TransferLog::TransferLog(std::size_t capacity, Clock clock)
    : clock_(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); })),
      capacity_(capacity > 0 ? capacity : 1) {}

void TransferLog::Start() {
    if (recording_)
        return;
    recording_ = true;
    start_ = clock_();
    wallStart_ = std::chrono::system_clock::now();
}

void TransferLog::Add(const CShadowReg& reg, UpdateCode direction, bool done) {
    if (!recording_)
        return;
    TransferRecord record;
    record.microseconds = static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(clock_() - start_).count());
    record.source = SourceIndex(reg);
    record.write = direction == UpdateCode::Write;
    record.value = reg.GetValue();
    record.failure = done ? 0 : FailureIndex(reg.GetLastError()) + 1;
    if (ring_.size() < capacity_)
        ring_.push_back(record);
    else
        ring_[end_ % capacity_] = record;
    ++end_;
    if (kept_ < capacity_)
        ++kept_;
}

void TransferLog::Clear() {
    kept_ = 0;
    cleared_ = end_;
}

const TransferRecord& TransferLog::At(std::uint64_t sequence) const {
    return ring_[sequence % capacity_];
}

const TransferSource& TransferLog::SourceOf(const TransferRecord& record) const {
    return sources_[record.source];
}

const std::string& TransferLog::FailureOf(const TransferRecord& record) const {
    static const std::string none;
    return record.failure == 0 ? none : failures_[record.failure - 1];
}

std::chrono::system_clock::time_point TransferLog::WallTimeOf(const TransferRecord& record) const {
    return wallStart_ + std::chrono::microseconds(record.microseconds);
}

std::uint32_t TransferLog::SourceIndex(const CShadowReg& reg) {
    // A register the log has seen carries its source's number plus one.
    if (const std::uint32_t tag = reg.ListenerTag(); tag != 0 && tag <= sources_.size())
        return tag - 1;
    const auto index = static_cast<std::uint32_t>(sources_.size());
    sources_.push_back({std::string(reg.GetDriverName()), std::string(reg.GetDeviceName()),
                        std::string(FirstItemName(reg)), reg.AddressText(), reg.AddressNumber(),
                        reg.GetDataLength()});
    reg.SetListenerTag(index + 1);
    return index;
}

std::uint32_t TransferLog::FailureIndex(const std::string& text) {
    const auto [found, added] =
        failureOf_.try_emplace(text, static_cast<std::uint32_t>(failures_.size()));
    if (added)
        failures_.push_back(text);
    return found->second;
}

std::string TransferValueText(std::uint32_t value, std::uint16_t dataLength, int radix) {
    if (radix == 10)
        return NumberText(value, 10);
    if (radix == 2) {
        std::string digits = NumberText(value, 2);
        const std::size_t width = 8U * dataLength;
        return digits.size() < width ? std::string(width - digits.size(), '0') + digits : digits;
    }
    return "0x" + HexText(value, 2U * dataLength);
}

} // namespace vek
