// The FTDI chip on the USB, through libftdi1.
#include "cable_messages.h"
#include "ftdi_usb.h"

#include <ftdi.h>

#include <algorithm>
#include <climits>

namespace bsx4810 {

namespace {

// Every batch the cable builds goes out as one bulk transfer, so the write chunk is larger than
// the largest batch.
constexpr unsigned kWriteChunk = 1u << 17;
// Long answers (a capture of thousands of bits) come back in few transfers.
constexpr unsigned kReadChunk = 1u << 16;
// The back end ends each batch with Send Immediate, so the latency timer only bounds answers
// that nothing pushed out.
constexpr unsigned char kLatencyMs = 1;

struct ContextDeleter {
    void operator()(ftdi_context* context) const {
        if (context->usb_dev != nullptr) {
            // Back to the serial mode the chip starts in, so its pins are inputs again.
            ftdi_set_bitmode(context, 0, BITMODE_RESET);
            ftdi_usb_close(context);
        }
        ftdi_free(context);
    }
};
using Context = std::unique_ptr<ftdi_context, ContextDeleter>;

int Milliseconds(std::chrono::milliseconds timeout) {
    return static_cast<int>(
        std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 1, INT_MAX));
}

class CLibFtdiUsb : public CFtdiUsb {
public:
    explicit CLibFtdiUsb(Context context) : context_(std::move(context)) {}

    bool Write(std::span<const uint8_t> bytes, std::chrono::milliseconds timeout) override {
        context_->usb_write_timeout = Milliseconds(timeout);
        const int size = static_cast<int>(bytes.size());
        const int written = ftdi_write_data(context_.get(), bytes.data(), size);
        if (written == size)
            return true;
        error_ = written < 0
                     ? ftdi_get_error_string(context_.get())
                     : std::to_string(written) + " of " + std::to_string(size) + " bytes written";
        return false;
    }

    bool Read(std::span<uint8_t> answer, std::chrono::milliseconds timeout) override {
        // The chip answers every bulk read, with no data until it has some, so this polls.
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        size_t got = 0;
        while (got < answer.size()) {
            const int read = ftdi_read_data(context_.get(), answer.data() + got,
                                            static_cast<int>(answer.size() - got));
            if (read < 0) {
                error_ = ftdi_get_error_string(context_.get());
                return false;
            }
            got += static_cast<size_t>(read);
            if (got < answer.size() && std::chrono::steady_clock::now() > deadline) {
                error_ =
                    CableText(CableMessage::TimedOut, static_cast<unsigned>(Milliseconds(timeout)));
                return false;
            }
        }
        return true;
    }

    std::string Error() const override { return error_; }

private:
    Context context_;
    std::string error_;
};

} // namespace

std::unique_ptr<CFtdiUsb> OpenLibFtdiUsb(const FtdiOptions& options, char channel,
                                         std::string& error) {
    Context context(ftdi_new());
    if (!context) {
        error = CableText(CableMessage::NoUsb, "libusb could not be initialised");
        return nullptr;
    }
    ftdi_context* c = context.get();
    const auto interface = static_cast<ftdi_interface>(INTERFACE_A + (channel - 'A'));
    if (ftdi_set_interface(c, interface) < 0 ||
        ftdi_usb_open_desc_index(c, options.vid, options.pid, nullptr,
                                 options.serial.empty() ? nullptr : options.serial.c_str(),
                                 0) < 0) {
        error = CableText(CableMessage::OpenFailed, unsigned{options.vid}, unsigned{options.pid},
                          channel, ftdi_get_error_string(c));
        return nullptr;
    }
    if (ftdi_usb_reset(c) < 0 || ftdi_set_latency_timer(c, kLatencyMs) < 0 ||
        ftdi_write_data_set_chunksize(c, kWriteChunk) < 0 ||
        ftdi_read_data_set_chunksize(c, kReadChunk) < 0 ||
        ftdi_set_bitmode(c, 0, BITMODE_RESET) < 0 || ftdi_set_bitmode(c, 0, BITMODE_MPSSE) < 0 ||
        ftdi_tcioflush(c) < 0) {
        error = CableText(CableMessage::SetupFailed, channel, ftdi_get_error_string(c));
        return nullptr;
    }
    return std::make_unique<CLibFtdiUsb>(std::move(context));
}

} // namespace bsx4810
