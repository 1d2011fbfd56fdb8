// The thirteen exports of BSX4810, each a thin call into the process's library state.
#include "bsx4810.h"

#include "process_scan_library.h"

using bsx4810::ProcessScanLibrary;
using bsx4810::ScanRegister;

extern "C" {

int open_4810(void) {
    return ProcessScanLibrary().Open();
}

int close_4810(void) {
    return ProcessScanLibrary().Close();
}

int tms_reset(int port) {
    return ProcessScanLibrary().TmsReset(port);
}

int trst_reset(int port) {
    return ProcessScanLibrary().TrstReset(port);
}

int scan_ir(int port, const unsigned short* tdi, unsigned short bits, unsigned short* tdo) {
    return ProcessScanLibrary().Scan(port, ScanRegister::Instruction, tdi, bits, tdo);
}

int scan_dr(int port, const unsigned short* tdi, unsigned short bits, unsigned short* tdo) {
    return ProcessScanLibrary().Scan(port, ScanRegister::Data, tdi, bits, tdo);
}

int scan_tdio(int port, const unsigned short* tdi, unsigned short bits, unsigned short* tdo) {
    return ProcessScanLibrary().ScanTdio(port, tdi, bits, tdo);
}

int scan_to_pause_ir(int port, const unsigned short* tdi, unsigned short bits,
                     unsigned short* tdo) {
    return ProcessScanLibrary().ScanToPause(port, ScanRegister::Instruction, tdi, bits, tdo);
}

int scan_to_pause_dr(int port, const unsigned short* tdi, unsigned short bits,
                     unsigned short* tdo) {
    return ProcessScanLibrary().ScanToPause(port, ScanRegister::Data, tdi, bits, tdo);
}

int multi_scan_ir(int port, const unsigned short* tdi, unsigned short bits, unsigned short count) {
    return ProcessScanLibrary().MultiScan(port, ScanRegister::Instruction, tdi, bits, count,
                                          nullptr);
}

int multi_scan_dr(int port, const unsigned short* tdi, unsigned short bits, unsigned short count,
                  unsigned short* tdo) {
    return ProcessScanLibrary().MultiScan(port, ScanRegister::Data, tdi, bits, count, tdo);
}

int move_to_state(int port, int state) {
    return ProcessScanLibrary().MoveToState(port, state);
}

int scan_set_stop_state(int state) {
    return ProcessScanLibrary().SetStopState(state);
}

} // extern "C"
