// The five driver functions over the one driver of this process.
#include "vekdriver.h"

#include "par_driver.h"
#include "settings_location.h"

namespace {

std::string PcalhIoPath() {
    return drvsupport::SettingsFilePath(drvsupport::kPcalhIoOverrideVariable,
                                        drvsupport::kPcalhIoFileName);
}

pardrv::ParDriver& Driver() {
    static pardrv::ParDriver driver(std::make_unique<pardrv::DynamicAdapterLibrary>("I2C32.DLL"),
                                    PcalhIoPath);
    return driver;
}

} // namespace

extern "C" {

int VekOpen(void) {
    return Driver().Open();
}

int VekClose(void) {
    return Driver().Close();
}

int VekSetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data) {
    return Driver().SetReg(addrLen, dataLen, addr, data);
}

int VekGetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t* data) {
    return Driver().GetReg(addrLen, dataLen, addr, data);
}

void VekGetStatus(char* text) {
    Driver().GetStatus(text);
}

} // extern "C"
