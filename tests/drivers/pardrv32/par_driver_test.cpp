// The driver over a recording stand-in for the adapter library.
#include "par_driver.h"

#include "temp_folder.h"

#include <chrono>
#include <ctime>
#include <gtest/gtest.h>

namespace vek {
namespace {

using Bytes = std::vector<uint8_t>;

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

// A setting passed to the adapter: the call is logged and the value kept.
void Note(const char* call, int& setting, int value) {
    record->calls.push_back(call);
    setting = value;
}

I2c32Functions RecordingFunctions() {
    I2c32Functions f;
    f.i2cOpen = [](uint32_t options) {
        record->calls.push_back("open " + std::to_string(options));
        return record->openResult;
    };
    f.i2cClose = [](uint32_t handle) {
        record->calls.push_back("close " + std::to_string(handle));
    };
    f.i2cSetInterfaceType = [](uint32_t, int type) { Note("type", record->interfaceType, type); };
    f.i2cSetIOAddress = [](uint32_t, int address) { Note("io", record->ioAddress, address); };
    f.i2cSetBitrate = [](uint32_t, int bitrate) { Note("bitrate", record->bitrate, bitrate); };
    f.i2cSetTimeout = [](uint32_t, int timeout) { Note("timeout", record->timeout, timeout); };
    f.i2cSettingsAreValid = [](uint32_t, uint32_t* valid) {
        record->calls.push_back("valid");
        *valid = 1;
        return 1;
    };
    f.i2cSetDeviceAddress = [](uint32_t, int slave) { record->slave = slave; };
    f.i2cErrorsOccurred = [] { return record->errors; };
    f.i2cGetErrorMessage = [] { return record->message.c_str(); };
    f.i2cReadAfterRestartEx = [](uint32_t, unsigned char* received, int count,
                                 const unsigned char* subAddress, int subCount) {
        record->readCount = count;
        record->subAddress.assign(subAddress, subAddress + subCount);
        std::copy_n(record->toReceive.begin(),
                    std::min(record->toReceive.size(), static_cast<size_t>(count)), received);
    };
    f.i2cWriteEx = [](uint32_t, const unsigned char* bytes, int count) {
        record->written.assign(bytes, bytes + count);
    };
    return f;
}

class RecordingLibrary : public AdapterLibrary {
public:
    explicit RecordingLibrary(bool loads) : loads_(loads) {}
    Result<I2c32Functions> Load() override {
        record->calls.push_back(loads_ ? "load" : "load failed");
        if (!loads_) {
            return Failure{1, "libI2C32.so: cannot open shared object file"};
        }
        return RecordingFunctions();
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
        return ParDriver(std::make_unique<RecordingLibrary>(loads), []() -> Result<ProfileFile> {
            ProfileFile settings(settingsPath);
            if (Result<void> loaded = settings.Load(); !loaded)
                return loaded.Error();
            return settings;
        });
    }

    AdapterRecord record_;
    test::TempFolder folder_;
};

const unsigned char kEepromByte5[] = {0x05, 0xA0};

TEST_F(ParDriverTest, TheFirstOpenAppliesTheDefaultsWhenTheSettingsFileIsMissing) {
    auto driver = MakeDriver();
    EXPECT_TRUE(driver.Open());
    EXPECT_EQ(record_.calls, (std::vector<std::string>{"load", "open 32", "io", "bitrate",
                                                       "timeout", "type", "valid"}));
    EXPECT_EQ(record_.interfaceType, 1);
    EXPECT_EQ(record_.bitrate, 100000);
    EXPECT_EQ(record_.ioAddress, 888);
    EXPECT_EQ(record_.timeout, 10);
}

TEST_F(ParDriverTest, TheSettingsFileIsReadAtTheFirstOpen) {
    folder_.Write("pcalh_io.ini", "[I2cBus]\nInterfaceType=VMC\n[I2CBUS]\nTimeout=4\n");
    auto driver = MakeDriver();
    EXPECT_TRUE(driver.Open());
    EXPECT_EQ(record_.interfaceType, 5);
    EXPECT_EQ(record_.timeout, 4);
}

// Each value that is not of its key's form, or lies outside its range, or names no bus: the open
// fails with the file, the key and the value, both in the status text and on standard error, and
// the adapter goes back without being set up.
TEST_F(ParDriverTest, EveryFaultyValueKeepsTheAdapterFromOpeningAndIsNamed) {
    const std::vector<std::pair<std::string, std::string>> faults = {
        {"InterfaceType=hardwareless", "bad InterfaceType 'hardwareless'"},
        {"InterfaceType=\"Hardwareless \"", "bad InterfaceType 'Hardwareless '"},
        {"InterfaceType=", "bad InterfaceType ''"},
        {"InterfaceType=2", "bad InterfaceType '2'"},
        {"WaitAfterWrite=abc", "bad WaitAfterWrite 'abc'"},
        {"WaitAfterWrite=5ms", "bad WaitAfterWrite '5ms'"},
        {"WaitAfterWrite=10001", "bad WaitAfterWrite '10001'"},
        {"Bitrate=0x100", "bad Bitrate '0x100'"},
        {"Bitrate=400000 Hz", "bad Bitrate '400000 Hz'"},
        {"Bitrate=0", "bad Bitrate '0'"},
        {"Bitrate=-100000", "bad Bitrate '-100000'"},
        {"Bitrate=3400001", "bad Bitrate '3400001'"},
        {"Bitrate=4294967296", "bad Bitrate '4294967296'"},
        {"Bitrate=", "bad Bitrate ''"},
        {"IOAddress=0x10000", "bad IOAddress '0x10000'"},
        {"IOAddress=-1", "bad IOAddress '-1'"},
        {"IOAddress=378h", "bad IOAddress '378h'"},
        {"Timeout=-1", "bad Timeout '-1'"},
        {"Timeout=1001", "bad Timeout '1001'"},
        {"Timeout=3 s", "bad Timeout '3 s'"},
        {"Timeout=ten", "bad Timeout 'ten'"},
    };
    for (const auto& [line, fault] : faults) {
        SCOPED_TRACE(line);
        folder_.Write("pcalh_io.ini", "[I2CBus]\n" + line + "\n");
        record_.calls.clear();
        auto driver = MakeDriver();
        testing::internal::CaptureStderr();
        EXPECT_FALSE(driver.Open());
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "pardrv32: pcalh_io.ini: " + fault + "\n");
        EXPECT_EQ(driver.StatusText(), "pcalh_io.ini: " + fault);
        EXPECT_EQ(record_.calls, (std::vector<std::string>{"load", "open 32", "close 7"}));
    }
}

// The forms each key has taken: decimal numbers, and hexadecimal ones except for the bit rate, with
// a sign, blanks or quotes around them, up to the ends of their ranges.
TEST_F(ParDriverTest, TheGoodFormsOfEveryValueOpenAndReachTheAdapter) {
    struct GoodForm {
        std::string line;
        int AdapterRecord::*setting; // none for the wait, which the driver keeps itself
        int passed;
    };
    const std::vector<GoodForm> forms = {
        {"InterfaceType=Hardwareless", &AdapterRecord::interfaceType, 1},
        {"InterfaceType=SingleMaster", &AdapterRecord::interfaceType, 2},
        {"InterfaceType=MultiMaster", &AdapterRecord::interfaceType, 3},
        {"InterfaceType=HighspeedBoard", &AdapterRecord::interfaceType, 4},
        {"InterfaceType= \"VMC\" ", &AdapterRecord::interfaceType, 5},
        {"InterfaceType=FullspeedInterface", &AdapterRecord::interfaceType, 6},
        {"WaitAfterWrite=0", nullptr, 0},
        {"WaitAfterWrite=0x10", nullptr, 0},
        {"WaitAfterWrite=-1", nullptr, 0},
        {"WaitAfterWrite=10000", nullptr, 0},
        {"Bitrate=1", &AdapterRecord::bitrate, 1},
        {"Bitrate= 400000 ", &AdapterRecord::bitrate, 400000},
        {"Bitrate=+1000000", &AdapterRecord::bitrate, 1000000},
        {"Bitrate='3400000'", &AdapterRecord::bitrate, 3400000},
        {"IOAddress=0x278", &AdapterRecord::ioAddress, 0x278},
        {"IOAddress=0X3BC", &AdapterRecord::ioAddress, 0x3BC},
        {"IOAddress=888", &AdapterRecord::ioAddress, 888},
        {"IOAddress=0", &AdapterRecord::ioAddress, 0},
        {"IOAddress=0xFFFF", &AdapterRecord::ioAddress, 0xFFFF},
        {"Timeout=0", &AdapterRecord::timeout, 0},
        {"Timeout=0x0A", &AdapterRecord::timeout, 10},
        {"Timeout=1000", &AdapterRecord::timeout, 1000},
    };
    for (const GoodForm& form : forms) {
        SCOPED_TRACE(form.line);
        folder_.Write("pcalh_io.ini", "[I2CBus]\n" + form.line + "\n");
        auto driver = MakeDriver();
        EXPECT_TRUE(driver.Open()) << driver.StatusText();
        if (form.setting != nullptr) {
            EXPECT_EQ(record_.*form.setting, form.passed);
        }
        EXPECT_TRUE(driver.Close());
    }
}

TEST_F(ParDriverTest, NestedOpensAndClosesLoadAndUnloadOnce) {
    auto driver = MakeDriver();
    EXPECT_TRUE(driver.Close()); // before any open
    EXPECT_TRUE(driver.Open());
    EXPECT_TRUE(driver.Open());
    EXPECT_TRUE(driver.Close());
    EXPECT_EQ(record_.calls.back(), "valid");
    EXPECT_TRUE(driver.Close());
    EXPECT_EQ(record_.calls.back(), "unload");
    EXPECT_EQ(record_.calls[record_.calls.size() - 2], "close 7");
    EXPECT_TRUE(driver.Close());
    EXPECT_TRUE(driver.Open());
    EXPECT_EQ(std::count(record_.calls.begin(), record_.calls.end(), "load"), 2);
}

TEST_F(ParDriverTest, AFailedBindReportsTheLibraryNameAndLeavesTheDriverClosed) {
    auto driver = MakeDriver(false);
    EXPECT_EQ(driver.StatusText(), "");
    EXPECT_FALSE(driver.Open());
    EXPECT_EQ(driver.StatusText(), "'I2C32.dll'");
    // A reset (close, open) tries the library again instead of counting a phantom open.
    EXPECT_TRUE(driver.Close());
    EXPECT_FALSE(driver.Open());
    EXPECT_EQ(std::count(record_.calls.begin(), record_.calls.end(), "load failed"), 2);
    const uint32_t untouched = 0xDEADBEEF;
    uint32_t data = untouched;
    EXPECT_FALSE(driver.GetReg(2, 1, kEepromByte5, &data));
    EXPECT_EQ(data, untouched);
    EXPECT_EQ(driver.StatusText(), "driver is not open");
}

TEST_F(ParDriverTest, AnAdapterThatDoesNotOpenFailsEveryOpenAndClosesOnce) {
    record_.openResult = 0;
    auto driver = MakeDriver();
    EXPECT_FALSE(driver.Open());
    EXPECT_FALSE(driver.SetReg(2, 1, kEepromByte5, 1));
    EXPECT_FALSE(driver.Open());
    EXPECT_EQ(std::count(record_.calls.begin(), record_.calls.end(), "open 32"), 2);
    EXPECT_EQ(std::count(record_.calls.begin(), record_.calls.end(), "load"), 1);
    EXPECT_TRUE(driver.Close());
    EXPECT_TRUE(driver.Close());
    EXPECT_EQ(record_.calls.back(), "unload");
}

TEST_F(ParDriverTest, AWriteSendsSubAddressThenDataLowByteFirst) {
    auto driver = MakeDriver();
    ASSERT_TRUE(driver.Open());
    EXPECT_TRUE(driver.SetReg(2, 2, kEepromByte5, 0xFF1234));
    EXPECT_EQ(record_.slave, 0x50);
    EXPECT_EQ(record_.written, (Bytes{0x05, 0x34, 0x12}));

    const unsigned char threeBytes[] = {0x02, 0x01, 0xA3};
    EXPECT_TRUE(driver.SetReg(3, 1, threeBytes, 0x77));
    EXPECT_EQ(record_.slave, 0x51);
    EXPECT_EQ(record_.written, (Bytes{0x01, 0x02, 0x77}));

    const unsigned char deviceOnly[] = {0x40};
    EXPECT_TRUE(driver.SetReg(1, 1, deviceOnly, 0x0F));
    EXPECT_EQ(record_.slave, 0x20);
    EXPECT_EQ(record_.written, (Bytes{0x0F}));
}

TEST_F(ParDriverTest, AReadDeliversTheFirstByteOnTheBusAsTheLeastSignificant) {
    auto driver = MakeDriver();
    ASSERT_TRUE(driver.Open());
    record_.toReceive = {0x34, 0x12};
    uint32_t data = 0xAABBCCDD;
    EXPECT_TRUE(driver.GetReg(2, 2, kEepromByte5, &data));
    EXPECT_EQ(record_.slave, 0x50);
    EXPECT_EQ(record_.subAddress, (Bytes{0x05}));
    EXPECT_EQ(record_.readCount, 2);
    EXPECT_EQ(data, 0xAABB1234u); // bytes beyond dataLen stay as they were
}

TEST_F(ParDriverTest, ATransferErrorFailsWithTheLibrarysText) {
    auto driver = MakeDriver();
    ASSERT_TRUE(driver.Open());
    record_.errors = 1;
    record_.message = "no acknowledge";
    EXPECT_EQ(driver.SetReg(2, 1, kEepromByte5, 1).Error().text, "no acknowledge");
    EXPECT_EQ(driver.StatusText(), "no acknowledge");
    uint32_t data = 0;
    EXPECT_FALSE(driver.GetReg(2, 1, kEepromByte5, &data));
}

TEST_F(ParDriverTest, LengthsThatDoNotFitTheBuffersAreRefused) {
    auto driver = MakeDriver();
    ASSERT_TRUE(driver.Open());
    const unsigned char addr[13] = {};
    uint32_t data = 0x11223344;
    EXPECT_FALSE(driver.SetReg(0, 1, addr, 1));
    EXPECT_EQ(driver.StatusText(), "unsupported address or data length");
    EXPECT_FALSE(driver.GetReg(0, 1, addr, &data));
    EXPECT_FALSE(driver.SetReg(10, 4, addr, 1)); // 9 sub-address bytes and 4 data bytes
    EXPECT_FALSE(driver.GetReg(13, 1, addr, &data));
    EXPECT_FALSE(driver.GetReg(2, 5, addr, &data)); // the data area holds four bytes
    EXPECT_FALSE(driver.SetReg(2, 0, addr, 1));
    EXPECT_FALSE(driver.SetReg(-1, 1, addr, 1));
    EXPECT_FALSE(driver.SetReg(2, 1, nullptr, 1));
    EXPECT_FALSE(driver.GetReg(2, 1, addr, nullptr));
    EXPECT_EQ(data, 0x11223344u);
    EXPECT_TRUE(record_.written.empty());
    EXPECT_EQ(record_.readCount, -1);

    EXPECT_TRUE(driver.SetReg(9, 4, addr, 1)); // exactly twelve bytes
    EXPECT_EQ(record_.written.size(), 12u);
    EXPECT_EQ(driver.StatusText(), "No error");
}

// The processor time this thread has used.
std::chrono::nanoseconds ThreadCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

TEST_F(ParDriverTest, TheWaitAfterAWriteLastsAtLeastTheSetTimeAndSleeps) {
    folder_.Write("pcalh_io.ini", "[I2CBus]\nWaitAfterWrite=100\n");
    auto driver = MakeDriver();
    ASSERT_TRUE(driver.Open());
    const auto start = std::chrono::steady_clock::now();
    const auto cpuStart = ThreadCpuTime();
    EXPECT_TRUE(driver.SetReg(2, 1, kEepromByte5, 1));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    // A spinning wait uses the processor for as long as it waits (less only when other work
    // takes the processor from it); a sleeping one next to nothing.
    EXPECT_LT(ThreadCpuTime() - cpuStart, std::chrono::milliseconds(20));
}

TEST_F(ParDriverTest, AWaitBeyondItsLimitKeepsTheAdapterFromOpening) {
    folder_.Write("pcalh_io.ini", "[I2CBus]\nWaitAfterWrite=4294967297\n");
    auto driver = MakeDriver();
    EXPECT_FALSE(driver.Open());
    EXPECT_EQ(driver.StatusText(), "pcalh_io.ini: bad WaitAfterWrite '4294967297'");
    EXPECT_EQ(record_.calls.back(), "close 7");
    // Corrected, the next open reads the file anew.
    folder_.Write("pcalh_io.ini", "[I2CBus]\nWaitAfterWrite=10\n");
    EXPECT_TRUE(driver.Open());
}

} // namespace
} // namespace vek
