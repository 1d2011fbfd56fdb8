#pragma once

#include <iosfwd>

namespace vek {

class CShadowReg;

// `vek open --verify`: every register a driver took a value for is read back at once, and a value
// that did not arrive as written is reported with both values. Registers that cannot be read
// (WRITE), or whose read changes the chip, are taken on trust; only the bits the description
// defines are compared.
class WriteVerifier {
public:
    explicit WriteVerifier(std::ostream& err) : err_(err) {}

    // Called by the document's registers after each write to a device.
    void Check(CShadowReg& reg);
    // Registers that read back otherwise, or could not be read back.
    int Failures() const { return failures_; }

private:
    std::ostream& err_;
    int failures_ = 0;
};

} // namespace vek
