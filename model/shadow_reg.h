#pragma once

#include "model/register_codes.h"
#include "model/values_load.h"
#include "platform/string_table.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

class CLineItem;
class ShadowRegList;
class ProfileFile;
struct DriverEntryPoints;
struct RegisterContext;

// What the binding step knows of a register when it creates its shadow register.
struct ShadowRegLayout {
    std::array<uint8_t, 8> address{}; // byte 0 least significant
    uint16_t addressLength = 0;       // 0 to 8
    uint16_t dataLength = 1;          // 1 to 4
    uint16_t memorySize = 1;          // bytes per address step
    std::string_view byteOrder;       // one digit per data byte: which value byte goes there
    uint32_t mask = 0;
    uint32_t defaultValue = 0;
    AccessType access = AccessType::Prot;
};

// The program's copy of one device register, and the only object that calls a driver. Items
// show bits of it; it tells them after each transfer what happened (update codes).
class CShadowReg {
public:
    // Null when the layout cannot be served: more than 8 address bytes, or a data length
    // outside 1 to 4.
    static std::unique_ptr<CShadowReg> Create(const ShadowRegLayout& layout);

    // Where transfers go and whom to tell. The driver's entry points and the context belong to
    // the driver and the document; the names are the device's, which owns its registers.
    void SetDriver(const DriverEntryPoints* driver, std::string_view driverName,
                   std::string_view deviceName);
    void SetContext(RegisterContext* context) { context_ = context; }
    // How the items of this register transfer it: simulated while its document is in
    // simulation mode.
    TransferFlags TransferMode() const;
    // Sends a line to the output window of the register's document, when it has one.
    void ShowMessage(const std::string& text) const;
    // Set by the device's list when the register joins it.
    void SetDeviceList(ShadowRegList* list) { list_ = list; }

    // A further item of the same address, data length and access type shares this register.
    void Join(uint32_t mask, uint32_t defaultValue);
    void AddItem(CLineItem* item) { items_.push_back(item); }
    // Set when any register item of this address is marked as changing the chip when read (a
    // FIFO that pops, a status that clears): reads of many registers pass it over.
    void MarkReadEffects() { readEffects_ = true; }
    bool HasReadEffects() const { return readEffects_; }

    bool Write(TransferFlags flags);
    bool Read(TransferFlags flags);
    // A read that the driver made for this register among others (VekGetRegs): data as
    // VekGetReg gives it. Stores and reports it as Read does.
    bool TakeRead(uint32_t data);
    // Whether Read(flags) would ask the driver.
    bool ReadsThroughDriver(TransferFlags flags) const;
    const DriverEntryPoints* GetDriver() const { return driver_; }
    // A change made by an item: stores v, marks it known and brings overlapping registers of the
    // device up to date. The device is not touched.
    void SetValue(uint32_t v);

    // The register's line in a register-values file.
    void SaveValue(ProfileFile& file) const;
    // Reads the line back; a known value is written to the device at once with flags.
    ValueLoad LoadValue(const ProfileFile& file, TransferFlags flags);

    // "0x" and the address bytes from the last to byte 0, two lower-case digits each.
    std::string AddressText() const;
    // The address as a number, byte 0 least significant: the device list's sort key.
    uint64_t AddressNumber() const { return addressNumber_; }
    // Whether the register spans several address steps and so shares bytes with neighbours.
    bool SpansAddresses() const { return memorySize_ < dataLength_; }

    uint32_t GetValue() const { return value_; }
    uint32_t GetMask() const { return mask_; }
    uint32_t GetDefault() const { return default_; }
    bool IsValid() const { return valid_; }
    const std::array<uint8_t, 8>& AddressBytes() const { return address_; }
    uint16_t GetAddressLength() const { return addressLength_; }
    uint16_t GetDataLength() const { return dataLength_; }
    uint16_t GetMemorySize() const { return memorySize_; }
    AccessType GetAccessType() const { return access_; }
    std::string_view GetDriverName() const { return driverName_; }
    std::string_view GetDeviceName() const { return deviceName_; }
    const std::vector<CLineItem*>& GetItems() const { return items_; }
    const std::string& GetLastError() const;
    // A number the document's transfer listener keeps on the register, so that it knows the
    // register again without looking it up: bookkeeping of the listener, not the register's state.
    std::uint32_t ListenerTag() const { return listenerTag_; }
    void SetListenerTag(std::uint32_t tag) const { listenerTag_ = tag; }

private:
    explicit CShadowReg(const ShadowRegLayout& layout);

    // Sends value_ to the device, or reads it, through the byte order.
    bool Transfer(UpdateCode direction);
    // The end of a transfer in one direction. Done: the value is known (the LED flashes unless
    // simulated), the items are told, and overlapping registers brought up to date when asked.
    bool Transferred(UpdateCode direction, bool simulated, bool updateOverlapping);
    // Failed: the items are told, and the reason kept.
    bool Failed(UpdateCode direction, StringId reason);
    // Tells the document's transfer listener of a transfer that reached the driver.
    void TellTransfer(UpdateCode direction, bool done) const;
    void Notify(UpdateCodes code);
    // Brings the registers that share bytes with this one up to date after a change; a transfer
    // direction also tells their items.
    void UpdateOverlapping(UpdateCodes direction);
    // Copies the bytes this register shares with r into its value; false when they share none.
    bool TakeOverlap(const CShadowReg& r);
    void SetError(StringId id);
    void Flash() const;
    // Which byte of the value goes to data byte i of the driver buffer (0-based).
    int ValueByte(int i) const;
    void StoreRead(uint32_t data);
    std::string ValueText() const;
    // A value line's text: a value taken, "not known" (X digits) taken, or not a value of this
    // register's width.
    enum class TakenText { Known, NotKnown, Unusable };
    TakenText TakeValueText(const std::string& text);

    // Small fields first, packed: a description has a shadow register for each register.
    std::array<std::int8_t, 4> byteOrder_{}; // digits 1 to 4
    uint32_t value_ = 0;
    std::array<uint8_t, 8> address_{};
    uint64_t addressNumber_ = 0; // the address never changes: its number is kept for the list
    uint16_t addressLength_ = 0;
    uint16_t dataLength_ = 1;
    uint16_t memorySize_ = 1;
    bool valid_ = false;
    bool readEffects_ = false;
    uint32_t mask_ = 0;
    uint32_t default_ = 0;
    AccessType access_ = AccessType::Prot;
    // The transfer listener's own number for this register (0 until it sets one).
    mutable std::uint32_t listenerTag_ = 0;
    // Made at the first failure: a description has many registers, few of which ever fail.
    std::unique_ptr<std::string> lastError_;
    const DriverEntryPoints* driver_ = nullptr;
    ShadowRegList* list_ = nullptr;
    RegisterContext* context_ = nullptr;
    std::string_view driverName_;
    std::string_view deviceName_;
    std::vector<CLineItem*> items_;
};

} // namespace vek
