#include "emulated_ftdi.h"

#include "cable_messages.h"

#include <algorithm>

namespace bsx4810 {

bool CEmulatedFtdiUsb::Write(std::span<const uint8_t> bytes,
                             std::chrono::milliseconds /*timeout*/) {
    ++traffic_->writes;
    traffic_->bytesOut += bytes.size();
    const uint64_t before = engine_.Clocks();
    const bool kept = engine_.Execute(bytes);
    traffic_->clocks += engine_.Clocks() - before;
    if (!kept) {
        error_ = CableText(CableMessage::TargetNotKept);
        return false;
    }
    return true;
}

bool CEmulatedFtdiUsb::Read(std::span<uint8_t> answer, std::chrono::milliseconds timeout) {
    ++traffic_->reads;
    traffic_->largestRead = std::max(traffic_->largestRead, answer.size());
    auto& answers = engine_.Answers();
    if (answers.size() < answer.size()) {
        error_ = CableText(CableMessage::TimedOut, static_cast<unsigned>(timeout.count()));
        return false;
    }
    if (!engine_.AnswersPushed())
        ++traffic_->lateAnswers;
    std::copy_n(answers.begin(), answer.size(), answer.begin());
    answers.erase(answers.begin(), answers.begin() + static_cast<std::ptrdiff_t>(answer.size()));
    traffic_->bytesIn += answer.size();
    return true;
}

FtdiUsbOpener EmulatedFtdiOpener(CSoftwareTap& tap, std::shared_ptr<UsbTraffic> traffic) {
    return [&tap, traffic](const FtdiOptions& /*options*/, char channel,
                           std::string& error) -> std::unique_ptr<CFtdiUsb> {
        if (channel != 'A' && channel != 'B') {
            error = CableText(CableMessage::NoSuchChannel, channel);
            return nullptr;
        }
        return std::make_unique<CEmulatedFtdiUsb>(tap.Port(channel - 'A' + 1), traffic);
    };
}

} // namespace bsx4810
