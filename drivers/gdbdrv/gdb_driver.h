// The GDB server register driver: each register a read or write of exactly its width in the
// target's memory at the register's address, over one session with the server from the first
// open to the last close.
#pragma once

#include "gdb_settings.h"
#include "register_driver.h"
#include "remote_session.h"

#include <functional>
#include <memory>
#include <string>

namespace vek {

class GdbDriver : public RegisterDriver {
public:
    explicit GdbDriver(Result<GdbSettings> (*loadSettings)());

    // Every open connects anew, so that Reset Driver reconnects; the session stays until the
    // last of as many closes.
    Result<void> Open() override;
    Result<void> Close() override;
    Result<void> SetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t data) override;
    Result<void> GetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t* data) override;
    // Registers of one shape (VekGetRegs): each run of neighbours, one register's width apart,
    // is one memory packet, so that Read Now shares a round trip among them.
    Result<void> GetRegs(int count, int addrLen, int dataLen, const unsigned char* addrs,
                         uint32_t* data);
    // What the last call did: the server it is connected to, or why the call failed.
    std::string StatusText() override { return status_; }

private:
    Result<void> Connect();
    void Disconnect();
    // Checks the register's shape and gives its address; records a refusal.
    Result<std::uint64_t> RegisterAddress(int addrLen, int dataLen, const unsigned char* addr);
    // The transfer with the target stopped around it when it runs between transfers.
    Result<void> WithTargetStopped(const std::function<Result<void>()>& transfer);
    Result<void> Record(Result<void> outcome);
    // The value of the register whose bytes in memory start at `bytes`.
    uint32_t ValueOf(const std::uint8_t* bytes, std::size_t count) const;
    // The most bytes one memory packet's reply may carry.
    std::size_t RunLimit() const;

    Result<GdbSettings> (*loadSettings_)();
    GdbSettings settings_;
    std::unique_ptr<RemoteSession> session_;
    int openCount_ = 0;
    std::string status_ = "not connected";
};

} // namespace vek
