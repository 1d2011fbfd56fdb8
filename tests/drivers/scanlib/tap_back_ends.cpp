#include "tap_back_ends.h"

namespace bsx4810::test {

namespace {

class CFaultyUsb : public CFtdiUsb {
public:
    CFaultyUsb(std::unique_ptr<CEmulatedFtdiUsb> chip, UsbFaults& faults)
        : chip_(std::move(chip)), faults_(faults) {}

    bool Write(std::span<const uint8_t> bytes, std::chrono::milliseconds timeout) override {
        const int index = faults_.writes++;
        if (index == faults_.failWrite) {
            if (faults_.halfWritten)
                chip_->Write(bytes.first(bytes.size() / 2), timeout);
            error_ = "LIBUSB_ERROR_NO_DEVICE";
            return false;
        }
        const bool ok = chip_->Write(bytes, timeout);
        if (index == faults_.extraAnswerAfterWrite)
            extra_ = true;
        error_ = chip_->Error();
        return ok;
    }

    bool Read(std::span<uint8_t> answer, std::chrono::milliseconds timeout) override {
        if (faults_.reads++ == faults_.failRead) {
            error_ = "LIBUSB_ERROR_PIPE";
            return false;
        }
        if (extra_ && !answer.empty()) {
            // A stray byte ahead of the real answers puts everything one byte late.
            extra_ = false;
            answer[0] = 0x00;
            const bool ok = chip_->Read(answer.subspan(1), timeout);
            error_ = chip_->Error();
            return ok;
        }
        const bool ok = chip_->Read(answer, timeout);
        error_ = chip_->Error();
        return ok;
    }

    std::string Error() const override { return error_; }

private:
    std::unique_ptr<CEmulatedFtdiUsb> chip_;
    UsbFaults& faults_;
    std::string error_;
    bool extra_ = false;
};

} // namespace

CTapUnderTest::CTapUnderTest(TapBackEnd backEnd, std::string_view ftdiOptions) {
    if (backEnd == TapBackEnd::Soft)
        return;
    FtdiOptions options;
    std::string error;
    EXPECT_TRUE(ParseFtdiOptions(ftdiOptions, options, error)) << error;
    auto open = [this](const FtdiOptions& opened, char channel,
                       std::string& why) -> std::unique_ptr<CFtdiUsb> {
        ++faults.opens;
        if (channel != 'A' && channel != 'B') // the emulated chip's own refusal
            return EmulatedFtdiOpener(tap, traffic)(opened, channel, why);
        auto chip = std::make_unique<CEmulatedFtdiUsb>(tap.Port(channel - 'A' + 1), traffic);
        interfaces[channel - 'A'] = chip.get();
        return std::make_unique<CFaultyUsb>(std::move(chip), faults);
    };
    cable = std::make_unique<CMpsseCable>(options, open);
}

DeviceFactory CTapUnderTest::Factory() {
    if (!cable)
        return [this] { return std::make_unique<CSoftwareTapChannel>(tap); };
    return [this] { return OpenCableChannel(*cable); };
}

std::string BackEndName(const testing::TestParamInfo<TapBackEnd>& param) {
    return param.param == TapBackEnd::Soft ? "SoftwareTap" : "FtdiCable";
}

} // namespace bsx4810::test
