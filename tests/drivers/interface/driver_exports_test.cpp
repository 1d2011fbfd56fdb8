// The five functions over a scripted driver object, called as the program calls them.
#include "register_driver.h"
#include "vekdriver.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace vek {
namespace {

class ScriptedDriver : public RegisterDriver {
public:
    Result<void> Open() override { return Next("open"); }
    Result<void> Close() override { return Next("close"); }
    Result<void> SetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t data) override {
        calls += "set " + std::to_string(addrLen) + " " + std::to_string(dataLen) + " " +
                 std::to_string(addr[0]) + " " + std::to_string(data) + ";";
        return Next("");
    }
    Result<void> GetReg(int addrLen, int dataLen, const unsigned char*, uint32_t* data) override {
        calls += "get " + std::to_string(addrLen) + " " + std::to_string(dataLen) + ";";
        *data = 0xBEEF;
        return Next("");
    }
    std::string StatusText() override {
        calls += "status;";
        return status;
    }

    bool fail = false;
    std::string status;
    std::string calls;

private:
    Result<void> Next(const char* call) {
        if (*call != '\0') {
            calls += std::string(call) + ";";
        }
        if (fail) {
            return Failure{7, "scripted failure"};
        }
        return {};
    }
};

ScriptedDriver& Scripted() {
    static ScriptedDriver driver;
    return driver;
}

} // namespace

RegisterDriver& ProcessDriver() {
    return Scripted();
}

namespace {

class DriverExportsTest : public testing::Test {
protected:
    void SetUp() override { Scripted() = ScriptedDriver(); }
};

TEST_F(DriverExportsTest, ASuccessIsOneAndAFailureZero) {
    const unsigned char addr[2] = {5, 1};
    uint32_t data = 0;
    EXPECT_EQ(VekOpen(), 1);
    EXPECT_EQ(VekSetReg(2, 1, addr, 0xA5), 1);
    EXPECT_EQ(VekGetReg(2, 2, addr, &data), 1);
    EXPECT_EQ(data, 0xBEEFu);
    EXPECT_EQ(VekClose(), 1);
    Scripted().fail = true;
    EXPECT_EQ(VekOpen(), 0);
    EXPECT_EQ(VekSetReg(2, 1, addr, 0xA5), 0);
    EXPECT_EQ(VekGetReg(2, 2, addr, &data), 0);
    EXPECT_EQ(VekClose(), 0);
    EXPECT_EQ(Scripted().calls,
              "open;set 2 1 5 165;get 2 2;close;open;set 2 1 5 165;get 2 2;close;");
}

TEST_F(DriverExportsTest, TheStatusTextIsCutToTheProgramsBuffer) {
    char buffer[VEK_STATUS_TEXT_SIZE + 1];
    std::memset(buffer, 'x', sizeof buffer);
    Scripted().status = std::string(80, 'm');
    VekGetStatus(buffer);
    EXPECT_EQ(std::string(buffer), std::string(VEK_STATUS_TEXT_SIZE - 1, 'm'));
    EXPECT_EQ(buffer[VEK_STATUS_TEXT_SIZE], 'x');
    Scripted().status = "";
    VekGetStatus(buffer);
    EXPECT_EQ(std::string(buffer), "");
}

TEST_F(DriverExportsTest, TheDriverIsAskedForItsStatusAlsoWithoutABuffer) {
    VekGetStatus(nullptr);
    EXPECT_EQ(Scripted().calls, "status;");
}

} // namespace
} // namespace vek
