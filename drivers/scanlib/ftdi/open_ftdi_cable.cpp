#include "open_ftdi_cable.h"

#include "cable_messages.h"
#include "emulated_ftdi.h"
#include "mpsse_cable.h"

namespace bsx4810 {

std::unique_ptr<CDeviceChannel> OpenFtdiCable(std::string_view optionsText) {
    FtdiOptions options;
    std::string error;
    if (!ParseFtdiOptions(optionsText, options, error)) {
        ReportCableCause(error);
        return nullptr;
    }
    // The emulated chip's target is reloaded at every claim, as the software TAP's is. Opened
    // before the cable, the TAP also outlives it at exit.
    CSoftwareTap* tap = nullptr;
    if (options.emulate && (tap = OpenProcessSoftwareTap()) == nullptr)
        return nullptr;
    static std::unique_ptr<CMpsseCable> cable;
    if (!cable || cable->Options() != options)
        cable = std::make_unique<CMpsseCable>(options, tap ? EmulatedFtdiOpener(*tap)
                                                           : FtdiUsbOpener(OpenLibFtdiUsb));
    return OpenCableChannel(*cable);
}

} // namespace bsx4810
