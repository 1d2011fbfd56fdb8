// Built in place of the libftdi back end when libftdi1 was not found.
#include "cable_messages.h"
#include "ftdi_usb.h"

namespace bsx4810 {

std::unique_ptr<CFtdiUsb> OpenLibFtdiUsb(const FtdiOptions& /*options*/, char /*channel*/,
                                         std::string& error) {
    error = CableText(CableMessage::NotBuilt);
    return nullptr;
}

} // namespace bsx4810
