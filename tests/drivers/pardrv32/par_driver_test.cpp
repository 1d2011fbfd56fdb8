// The driver over a recording stand-in for the adapter library.
#include "par_driver.h"

#include "temp_folder.h"
#include "vekdriver.h"

#include <chrono>
#include <cstring>
#include <gtest/gtest.h>

using pardrv::I2c32Functions;
using pardrv::ParDriver;
using Bytes = std::vector<uint8_t>;

namespace {

struct AdapterRecord {
    std::vector<std::string> calls;
    uint32_t openResult = 7;
    int interfaceType = -1, ioAddress = -1, bitrate = -1, timeout = -1;
    int slave = -1;
    Bytes written;
    Bytes subAddress;
    int readCount = -1;
    Bytes toReceive;
    int errors = 0;
    std::string message = "No error";
};

AdapterRecord* record = nullptr;
std::string settingsPath;

I2c32Functions RecordingFunctions() {
    I2c32Functions f;
    f.open = [](uint32_t options) {
        record->calls.push_back("open " + std::to_string(options));
        return record->openResult;
    };
    f.close = [](uint32_t handle) { record->calls.push_back("close " + std::to_string(handle)); };
    f.setInterfaceType = [](uint32_t, int type) {
        record->calls.push_back("type");
        record->interfaceType = type;
    };
    f.setIOAddress = [](uint32_t, int address) {
        record->calls.push_back("io");
        record->ioAddress = address;
    };
    f.setBitrate = [](uint32_t, int bitrate) {
        record->calls.push_back("bitrate");
        record->bitrate = bitrate;
    };
    f.setTimeout = [](uint32_t, int timeout) {
        record->calls.push_back("timeout");
        record->timeout = timeout;
    };
    f.settingsAreValid = [](uint32_t, uint32_t* valid) {
        record->calls.push_back("valid");
        *valid = 1;
        return 1;
    };
    f.setDeviceAddress = [](uint32_t, int slave) { record->slave = slave; };
    f.errorsOccurred = [] { return record->errors; };
    f.getErrorMessage = [] { return record->message.c_str(); };
    f.readAfterRestartEx = [](uint32_t, unsigned char* received, int count,
                              const unsigned char* subAddress, int subCount) {
        record->readCount = count;
        record->subAddress.assign(subAddress, subAddress + subCount);
        std::copy_n(record->toReceive.begin(),
                    std::min(record->toReceive.size(), static_cast<size_t>(count)), received);
    };
    f.writeEx = [](uint32_t, const unsigned char* bytes, int count) {
        record->written.assign(bytes, bytes + count);
    };
    return f;
}

class RecordingLibrary : public pardrv::AdapterLibrary {
public:
    explicit RecordingLibrary(bool loads) : loads_(loads) {}
    bool Load(I2c32Functions& functions) override {
        record->calls.push_back(loads_ ? "load" : "load failed");
        if (loads_) {
            functions = RecordingFunctions();
        }
        return loads_;
    }
    void Unload() override { record->calls.push_back("unload"); }

private:
    bool loads_;
};

class ParDriverTest : public testing::Test {
protected:
    void SetUp() override {
        record = &record_;
        settingsPath = folder_.File("pcalh_io.ini");
    }
    void TearDown() override { record = nullptr; }

    ParDriver MakeDriver(bool loads = true) {
        return ParDriver(std::make_unique<RecordingLibrary>(loads), [] { return settingsPath; });
    }
    std::string Status(const ParDriver& driver) {
        char text[VEK_STATUS_TEXT_SIZE];
        std::memset(text, 'x', sizeof text);
        driver.GetStatus(text);
        return text;
    }

    AdapterRecord record_;
    vektest::TempFolder folder_;
};

const unsigned char kEepromByte5[] = {0x05, 0xA0};

} // namespace

TEST_F(ParDriverTest, TheFirstOpenAppliesTheDefaultsWhenTheSettingsFileIsMissing) {
    auto driver = MakeDriver();
    EXPECT_EQ(driver.Open(), 1);
    EXPECT_EQ(record_.calls, (std::vector<std::string>{"load", "open 32", "io", "bitrate",
                                                       "timeout", "type", "valid"}));
    EXPECT_EQ(record_.interfaceType, 1);
    EXPECT_EQ(record_.bitrate, 100000);
    EXPECT_EQ(record_.ioAddress, 888);
    EXPECT_EQ(record_.timeout, 10);
}

TEST_F(ParDriverTest, TheSettingsFileIsReadAtTheFirstOpen) {
    folder_.Write("pcalh_io.ini", "[I2cBus]\nInterfaceType=hardwareless\n[I2CBUS]\nTimeout=4\n");
    auto driver = MakeDriver();
    EXPECT_EQ(driver.Open(), 1);
    EXPECT_EQ(record_.interfaceType, 0);
    EXPECT_EQ(record_.timeout, 4);
}

TEST_F(ParDriverTest, NestedOpensAndClosesLoadAndUnloadOnce) {
    auto driver = MakeDriver();
    EXPECT_EQ(driver.Close(), 1); // before any open
    EXPECT_EQ(driver.Open(), 1);
    EXPECT_EQ(driver.Open(), 1);
    EXPECT_EQ(driver.Close(), 1);
    EXPECT_EQ(record_.calls.back(), "valid");
    EXPECT_EQ(driver.Close(), 1);
    EXPECT_EQ(record_.calls.back(), "unload");
    EXPECT_EQ(record_.calls[record_.calls.size() - 2], "close 7");
    EXPECT_EQ(driver.Close(), 1);
    EXPECT_EQ(driver.Open(), 1);
    EXPECT_EQ(std::count(record_.calls.begin(), record_.calls.end(), "load"), 2);
}

TEST_F(ParDriverTest, AFailedBindReportsTheLibraryNameAndLeavesTheDriverClosed) {
    auto driver = MakeDriver(false);
    EXPECT_EQ(Status(driver), "");
    EXPECT_EQ(driver.Open(), 0);
    EXPECT_EQ(Status(driver), "'I2C32.dll'");
    // A reset (close, open) tries the library again instead of counting a phantom open.
    EXPECT_EQ(driver.Close(), 1);
    EXPECT_EQ(driver.Open(), 0);
    EXPECT_EQ(std::count(record_.calls.begin(), record_.calls.end(), "load failed"), 2);
    const uint32_t untouched = 0xDEADBEEF;
    uint32_t data = untouched;
    EXPECT_EQ(driver.GetReg(2, 1, kEepromByte5, &data), 0);
    EXPECT_EQ(data, untouched);
    EXPECT_EQ(Status(driver), "driver is not open");
}

TEST_F(ParDriverTest, AnAdapterThatDoesNotOpenFailsEveryOpenAndClosesOnce) {
    record_.openResult = 0;
    auto driver = MakeDriver();
    EXPECT_EQ(driver.Open(), 0);
    EXPECT_EQ(driver.SetReg(2, 1, kEepromByte5, 1), 0);
    EXPECT_EQ(driver.Open(), 0);
    EXPECT_EQ(std::count(record_.calls.begin(), record_.calls.end(), "open 32"), 2);
    EXPECT_EQ(std::count(record_.calls.begin(), record_.calls.end(), "load"), 1);
    EXPECT_EQ(driver.Close(), 1);
    EXPECT_EQ(driver.Close(), 1);
    EXPECT_EQ(record_.calls.back(), "unload");
}

TEST_F(ParDriverTest, AWriteSendsSubAddressThenDataLowByteFirst) {
    auto driver = MakeDriver();
    ASSERT_EQ(driver.Open(), 1);
    EXPECT_EQ(driver.SetReg(2, 2, kEepromByte5, 0xFF1234), 1);
    EXPECT_EQ(record_.slave, 0x50);
    EXPECT_EQ(record_.written, (Bytes{0x05, 0x34, 0x12}));

    const unsigned char threeBytes[] = {0x02, 0x01, 0xA3};
    EXPECT_EQ(driver.SetReg(3, 1, threeBytes, 0x77), 1);
    EXPECT_EQ(record_.slave, 0x51);
    EXPECT_EQ(record_.written, (Bytes{0x01, 0x02, 0x77}));

    const unsigned char deviceOnly[] = {0x40};
    EXPECT_EQ(driver.SetReg(1, 1, deviceOnly, 0x0F), 1);
    EXPECT_EQ(record_.slave, 0x20);
    EXPECT_EQ(record_.written, (Bytes{0x0F}));
}

TEST_F(ParDriverTest, AReadDeliversTheFirstByteOnTheBusAsTheLeastSignificant) {
    auto driver = MakeDriver();
    ASSERT_EQ(driver.Open(), 1);
    record_.toReceive = {0x34, 0x12};
    uint32_t data = 0xAABBCCDD;
    EXPECT_EQ(driver.GetReg(2, 2, kEepromByte5, &data), 1);
    EXPECT_EQ(record_.slave, 0x50);
    EXPECT_EQ(record_.subAddress, (Bytes{0x05}));
    EXPECT_EQ(record_.readCount, 2);
    EXPECT_EQ(data, 0xAABB1234u); // bytes beyond dataLen stay as they were
}

TEST_F(ParDriverTest, ATransferErrorReturnsZeroWithTheLibrarysText) {
    auto driver = MakeDriver();
    ASSERT_EQ(driver.Open(), 1);
    record_.errors = 1;
    record_.message = "no acknowledge";
    EXPECT_EQ(driver.SetReg(2, 1, kEepromByte5, 1), 0);
    EXPECT_EQ(Status(driver), "no acknowledge");
    uint32_t data = 0;
    EXPECT_EQ(driver.GetReg(2, 1, kEepromByte5, &data), 0);
    // A longer text is cut to the program's buffer.
    record_.message = std::string(80, 'm');
    EXPECT_EQ(Status(driver), std::string(VEK_STATUS_TEXT_SIZE - 1, 'm'));
}

TEST_F(ParDriverTest, LengthsThatDoNotFitTheBuffersAreRefused) {
    auto driver = MakeDriver();
    ASSERT_EQ(driver.Open(), 1);
    const unsigned char addr[13] = {};
    uint32_t data = 0x11223344;
    EXPECT_EQ(driver.SetReg(0, 1, addr, 1), 0);
    EXPECT_EQ(Status(driver), "unsupported address or data length");
    EXPECT_EQ(driver.GetReg(0, 1, addr, &data), 0);
    EXPECT_EQ(driver.SetReg(10, 4, addr, 1), 0); // 9 sub-address bytes and 4 data bytes
    EXPECT_EQ(driver.GetReg(13, 1, addr, &data), 0);
    EXPECT_EQ(driver.GetReg(2, 5, addr, &data), 0); // the data area holds four bytes
    EXPECT_EQ(driver.SetReg(2, 0, addr, 1), 0);
    EXPECT_EQ(driver.SetReg(-1, 1, addr, 1), 0);
    EXPECT_EQ(driver.SetReg(2, 1, nullptr, 1), 0);
    EXPECT_EQ(driver.GetReg(2, 1, addr, nullptr), 0);
    EXPECT_EQ(data, 0x11223344u);
    EXPECT_TRUE(record_.written.empty());
    EXPECT_EQ(record_.readCount, -1);

    EXPECT_EQ(driver.SetReg(9, 4, addr, 1), 1); // exactly twelve bytes
    EXPECT_EQ(record_.written.size(), 12u);
    EXPECT_EQ(Status(driver), "No error");
}

TEST_F(ParDriverTest, TheWaitAfterAWriteLastsAtLeastTheSetTime) {
    folder_.Write("pcalh_io.ini", "[I2CBus]\nWaitAfterWrite=30\n");
    auto driver = MakeDriver();
    ASSERT_EQ(driver.Open(), 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(driver.SetReg(2, 1, kEepromByte5, 1), 1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}
