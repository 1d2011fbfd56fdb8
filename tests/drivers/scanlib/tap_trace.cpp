#include "tap_trace.h"

#include "soft/tap_controller.h"

namespace bsx4810::test {

namespace {

std::string ScanText(const char* reg, const std::vector<bool>& bits) {
    std::string text = std::string(reg) + " " + std::to_string(bits.size());
    if (bits.empty())
        return text;
    text += ' ';
    const size_t digits = (bits.size() + 3) / 4;
    for (size_t d = digits; d-- > 0;) {
        int value = 0;
        for (size_t b = 0; b < 4; ++b)
            if (d * 4 + b < bits.size() && bits[d * 4 + b])
                value |= 1 << b;
        text += "0123456789abcdef"[value];
    }
    return text;
}

} // namespace

std::vector<std::string> TraceScans(const std::vector<DeviceLog::Request>& requests) {
    using S = TapControllerState;
    static const std::vector<uint8_t> kReset(5, 0x09);
    std::vector<std::string> trace;
    S state = S::TestLogicReset;
    std::vector<bool> shifted;
    for (const auto& request : requests) {
        if (request.input == kReset) {
            trace.push_back("reset");
            state = S::TestLogicReset;
            continue;
        }
        for (const uint8_t vector : request.input) {
            if (vector & 0x20) {
                trace.push_back("trst");
                state = S::TestLogicReset;
                continue;
            }
            if (state == S::CaptureIr || state == S::CaptureDr)
                shifted.clear();
            if (state == S::ShiftIr || state == S::ShiftDr)
                shifted.push_back(vector & 0x01);
            state = NextTapState(state, (vector & 0x08) != 0);
            if (state == S::UpdateIr)
                trace.push_back(ScanText("IR", shifted));
            else if (state == S::UpdateDr)
                trace.push_back(ScanText("DR", shifted));
        }
    }
    return trace;
}

} // namespace bsx4810::test
