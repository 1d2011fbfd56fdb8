#include "recording_device.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace bsx4810::test {

namespace {

class CRecordingDevice : public CDeviceChannel {
public:
    explicit CRecordingDevice(std::shared_ptr<DeviceLog> log) : log_(std::move(log)) {}

    bool Request(uint32_t code, std::span<uint8_t> input, std::span<uint8_t> output) override {
        DeviceLog::Request request{code, {input.begin(), input.end()}, {}, output.size()};
        std::copy_n(output.begin(), std::min<size_t>(output.size(), 8),
                    request.outputBefore.begin());
        log_->requests.push_back(request);
        if (code == kWriteDataPort || code == kWriteControlPort)
            return !log_->failPortWrites;
        if (code != kRunVectorsPort1 && code != kRunVectorsPort2)
            return false;
        for (size_t i = 0; i < input.size(); ++i) {
            const bool level = i < log_->tdo.size() && log_->tdo[i];
            input[i] = static_cast<uint8_t>(level ? input[i] | 0x10 : input[i] & ~0x10);
        }
        const std::vector<uint8_t>& block = log_->returnedBlock;
        std::copy_n(block.begin(), std::min(block.size(), output.size()), output.begin());
        return log_->vectorRequestsSeen++ != log_->failVectorRequest;
    }

private:
    std::shared_ptr<DeviceLog> log_;
};

} // namespace

std::vector<DeviceLog::Request> DeviceLog::VectorRequests() const {
    std::vector<Request> vectors;
    for (const Request& r : requests)
        if (r.code == kRunVectorsPort1 || r.code == kRunVectorsPort2)
            vectors.push_back(r);
    return vectors;
}

std::vector<uint8_t> DeviceLog::LastVectors() const {
    const auto vectors = VectorRequests();
    return vectors.empty() ? std::vector<uint8_t>{} : vectors.back().input;
}

DeviceFactory RecordingFactory(std::shared_ptr<DeviceLog> log) {
    return [log] {
        ++log->opens;
        return std::make_unique<CRecordingDevice>(log);
    };
}

void UsePrivateLockFile() {
    // A plain array outlives every destructor, so the exit handler may still read it.
    static char path[64];
    if (path[0] == '\0') {
        std::snprintf(path, sizeof path, "/tmp/bsx4810-test-%d.lock", static_cast<int>(::getpid()));
        std::atexit([] { ::unlink(path); });
    }
    ::setenv("BSX4810_LOCK_FILE", path, 1);
}

} // namespace bsx4810::test
