// Stands in for the kernel below the i2c-dev bus and records every message it is given.
#pragma once

#include "linux_i2c_bus.h"

#include <cerrno>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <vector>

namespace vek::test {

struct RecordedMessage {
    uint16_t address;
    uint16_t flags;
    uint16_t length;
    std::vector<uint8_t> bytes; // written bytes; empty for a read
    bool operator==(const RecordedMessage&) const = default;
};

struct I2cDevRecord {
    std::string openedPath;
    int openError = 0; // errno for the open, 0 to succeed
    unsigned long functions = I2C_FUNC_I2C;
    long timeout = -1;           // the I2C_TIMEOUT argument, -1 when none was set
    int transferError = 0;       // errno for I2C_RDWR, 0 to succeed
    std::vector<uint8_t> toRead; // bytes the device returns, in order
    std::vector<std::vector<RecordedMessage>> transfers;
    bool closed = false;
};

class FakeI2cDevPort : public DevicePort {
public:
    explicit FakeI2cDevPort(I2cDevRecord& record) : record_(record) {}

    int Open(const std::string& path) override {
        record_.openedPath = path;
        errno = record_.openError;
        return record_.openError == 0 ? 3 : -1;
    }

    int Ioctl(int, unsigned long request, void* argument) override {
        if (request == I2C_FUNCS) {
            *static_cast<unsigned long*>(argument) = record_.functions;
        } else if (request == I2C_TIMEOUT) {
            record_.timeout = reinterpret_cast<long>(argument);
        } else if (request == I2C_RDWR) {
            return Transfer(*static_cast<i2c_rdwr_ioctl_data*>(argument));
        }
        return 0;
    }

    void Close(int) override { record_.closed = true; }

private:
    int Transfer(const i2c_rdwr_ioctl_data& request) {
        std::vector<RecordedMessage> messages;
        size_t next = 0;
        for (unsigned i = 0; i < request.nmsgs; ++i) {
            const i2c_msg& m = request.msgs[i];
            RecordedMessage recorded{m.addr, m.flags, m.len, {}};
            if (m.flags & I2C_M_RD) {
                for (unsigned b = 0; b < m.len; ++b) {
                    m.buf[b] = next < record_.toRead.size() ? record_.toRead[next++] : 0;
                }
            } else {
                recorded.bytes.assign(m.buf, m.buf + m.len);
            }
            messages.push_back(recorded);
        }
        record_.transfers.push_back(messages);
        errno = record_.transferError;
        return record_.transferError == 0 ? 0 : -1;
    }

    I2cDevRecord& record_;
};

} // namespace vek::test
