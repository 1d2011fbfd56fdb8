#include "software_tap.h"

#include "../cause_report.h"
#include "../scan_library.h"

#include <cstdlib>

namespace bsx4810 {

using S = TapControllerState;

CSoftwareTapPort::CSoftwareTapPort(CTargetMemory& memory, int port) : target_(memory, port) {}

bool CSoftwareTapPort::Run(std::span<uint8_t> vectors) {
    bool ok = true;
    for (uint8_t& vector : vectors) {
        bool tdo = false;
        if (vector & kTrst)
            EnterTestLogicReset();
        else
            tdo = Clock((vector & kTms) != 0, (vector & kTdi) != 0, ok);
        vector = static_cast<uint8_t>(tdo ? vector | kTdo : vector & ~kTdo);
    }
    return ok;
}

void CSoftwareTapPort::EnterTestLogicReset() {
    state_ = S::TestLogicReset;
    target_.Reset();
}

CSoftwareTap::CSoftwareTap() : ports_{CSoftwareTapPort(memory_, 1), CSoftwareTapPort(memory_, 2)} {}

bool CSoftwareTapChannel::Request(uint32_t code, std::span<uint8_t> input,
                                  std::span<uint8_t> /*output*/) {
    switch (code) {
    case kWriteDataPort:
    case kWriteControlPort:
        return input.size() == 4;
    case kRunVectorsPort1:
        return tap_.Port(1).Run(input);
    case kRunVectorsPort2:
        return tap_.Port(2).Run(input);
    default:
        return false;
    }
}

CSoftwareTap* OpenProcessSoftwareTap() {
    static CSoftwareTap tap;
    const char* file = std::getenv("BSX4810_TARGET_FILE");
    // A target file that cannot be read must not pass for an empty target: the next register
    // write would replace it.
    if (vek::Result<void> shared = tap.Memory().ShareThrough(file ? file : ""); !shared) {
        ReportCause("soft", shared.Error().text);
        return nullptr;
    }
    return &tap;
}

std::unique_ptr<CDeviceChannel> OpenSoftwareTap() {
    CSoftwareTap* tap = OpenProcessSoftwareTap();
    return tap != nullptr ? std::make_unique<CSoftwareTapChannel>(*tap) : nullptr;
}

} // namespace bsx4810
