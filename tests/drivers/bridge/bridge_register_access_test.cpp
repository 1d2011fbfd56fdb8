// The bridge drivers' transfers against recording stand-ins for the access classes.
#include "bridge_register_access.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vek {
namespace {

struct RecordingIo {
    uint32_t mask = 0xFF;
    uint32_t value = 0;
    std::vector<std::string> calls;
    uint32_t GetRegMask(uint16_t offset) {
        calls.push_back("mask " + std::to_string(offset));
        return mask;
    }
    uint32_t GetReg(uint16_t offset) {
        calls.push_back("get " + std::to_string(offset));
        return value;
    }
    void SetReg(uint16_t offset, uint32_t written, int flush) {
        calls.push_back("set " + std::to_string(offset) + " " + std::to_string(written) + " " +
                        std::to_string(flush));
    }
};

struct RecordingI2c {
    static inline int errNo = 0;
    int slave = -1;
    std::vector<int> written;
    int writeCount = -1;
    int readCount = -1;
    int toRead = 0;
    void SetSlave(int address) { slave = address; }
    int WriteSeq(const int* sequence, int count) {
        written.assign(sequence, sequence + 2);
        writeCount = count;
        return errNo;
    }
    int CombinedSeq(const int* w, int wCount, int* r, int rCount) {
        written.assign(w, w + wCount);
        writeCount = wCount;
        readCount = rCount;
        r[0] = toRead;
        return errNo;
    }
    static int GetErrNo() { return errNo; }
};

const unsigned char kOffset0x0102[] = {0x02, 0x01};

TEST(PciRegisterAccessTest, OnlyTheDataLengthOfTheRegistersWidthIsAccepted) {
    EXPECT_EQ(DataLenForMask(0xFF), 1);
    EXPECT_EQ(DataLenForMask(0xFFFF), 2);
    EXPECT_EQ(DataLenForMask(0xFFFFFFFF), 4);
    EXPECT_EQ(DataLenForMask(0), 0);
    EXPECT_EQ(DataLenForMask(0xFFFFFF), 0);
    EXPECT_EQ(DataLenForMask(0x0F), 0);

    RecordingIo io;
    io.mask = 0xFFFF;
    EXPECT_TRUE(WriteRegister(&io, 2, 2, kOffset0x0102, 0xABCD1234));
    EXPECT_EQ(io.calls, (std::vector<std::string>{"mask 258", "set 258 4660 1"}));
}

TEST(PciRegisterAccessTest, AWriteOfTheWrongWidthNeverReachesTheChip) {
    RecordingIo io;
    io.mask = 0xFF;
    EXPECT_FALSE(WriteRegister(&io, 2, 2, kOffset0x0102, 1));
    io.mask = 0xFFFFFF;
    EXPECT_FALSE(WriteRegister(&io, 2, 3, kOffset0x0102, 1));
    io.mask = 0;
    EXPECT_FALSE(WriteRegister(&io, 2, 1, kOffset0x0102, 1));
    EXPECT_FALSE(WriteRegister(&io, 3, 1, kOffset0x0102, 1));
    EXPECT_FALSE(WriteRegister(&io, 1, 1, kOffset0x0102, 1));
    EXPECT_FALSE(WriteRegister<RecordingIo>(nullptr, 2, 1, kOffset0x0102, 1));
    for (const std::string& call : io.calls) {
        EXPECT_NE(call.substr(0, 3), "set");
    }
}

TEST(PciRegisterAccessTest, AReadReadsFirstAndFillsTheWholeWord) {
    RecordingIo io;
    io.mask = 0xFFFF;
    io.value = 0xBEEF;
    uint32_t data = 0xFFFFFFFF;
    EXPECT_TRUE(ReadRegister(&io, 2, 2, kOffset0x0102, &data));
    EXPECT_EQ(data, 0xBEEFu);

    // A 16-bit register read with dataLen 1: refused after the read, the word left at 0.
    io.calls.clear();
    data = 0x12345678;
    EXPECT_FALSE(ReadRegister(&io, 2, 1, kOffset0x0102, &data));
    EXPECT_EQ(data, 0u);
    EXPECT_EQ(io.calls, (std::vector<std::string>{"mask 258", "get 258"}));

    // A wrong address length leaves the word as it was and touches nothing.
    io.calls.clear();
    data = 0x12345678;
    const unsigned char threeBytes[] = {0x02, 0x01, 0x00};
    EXPECT_FALSE(ReadRegister(&io, 3, 2, threeBytes, &data));
    EXPECT_EQ(data, 0x12345678u);
    EXPECT_TRUE(io.calls.empty());
    EXPECT_FALSE(ReadRegister<RecordingIo>(nullptr, 2, 2, kOffset0x0102, &data));
    EXPECT_EQ(data, 0x12345678u);
}

TEST(I2cRegisterAccessTest, AWriteSendsSubAddressAndDataAsTwoInts) {
    RecordingI2c i2c;
    RecordingI2c::errNo = 0;
    const unsigned char addr[] = {0x07, 0xD2};
    EXPECT_TRUE(WriteRegister(&i2c, 2, 1, addr, 0x1A5));
    EXPECT_EQ(i2c.slave, 0x69);
    EXPECT_EQ(i2c.written, (std::vector<int>{0x07, 0xA5}));
    EXPECT_EQ(i2c.writeCount, 2);
    RecordingI2c::errNo = 1;
    EXPECT_FALSE(WriteRegister(&i2c, 2, 1, addr, 0));
}

TEST(I2cRegisterAccessTest, AReadPutsTheByteInTheFirstIntOfTheData) {
    RecordingI2c i2c;
    RecordingI2c::errNo = 0;
    i2c.toRead = 0x5C;
    const unsigned char addr[] = {0x03, 0xA0};
    uint32_t data = 0xFFFFFFFF;
    EXPECT_TRUE(ReadRegister(&i2c, 2, 1, addr, &data));
    EXPECT_EQ(i2c.slave, 0x50);
    EXPECT_EQ(i2c.written, (std::vector<int>{0x03}));
    EXPECT_EQ(i2c.readCount, 1);
    EXPECT_EQ(data, 0x5Cu);
    RecordingI2c::errNo = 2;
    EXPECT_FALSE(ReadRegister(&i2c, 2, 1, addr, &data));
}

TEST(I2cRegisterAccessTest, ShapesOtherThanTwoAddressBytesAndOneDataByteAreRefused) {
    RecordingI2c i2c;
    RecordingI2c::errNo = 0;
    const unsigned char addr[] = {0x03, 0x01, 0xA0};
    uint32_t data = 0x12345678;
    EXPECT_FALSE(WriteRegister(&i2c, 3, 1, addr, 1));
    EXPECT_FALSE(WriteRegister(&i2c, 2, 2, addr, 1));
    EXPECT_FALSE(WriteRegister(&i2c, 2, 1, nullptr, 1));
    EXPECT_FALSE(ReadRegister(&i2c, 1, 1, addr, &data));
    EXPECT_FALSE(ReadRegister(&i2c, 2, 4, addr, &data));
    EXPECT_FALSE(ReadRegister(&i2c, 2, 1, addr, nullptr));
    EXPECT_FALSE(ReadRegister<RecordingI2c>(nullptr, 2, 1, addr, &data));
    EXPECT_EQ(i2c.slave, -1);
    EXPECT_EQ(data, 0x12345678u);
}

} // namespace
} // namespace vek
