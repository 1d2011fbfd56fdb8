// The five driver functions of tapdrv32. The open count and the pending status belong to the
// process that loaded the driver.
#include "tap_driver.h"
#include "vekdriver.h"

namespace {
tapdrv32::CTapDriver& Driver() {
    static tapdrv32::CTapDriver driver;
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
