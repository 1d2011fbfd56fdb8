/* BSX4810: JTAG (IEEE 1149.1) scan primitives for the two TAP ports of the boundary-scan
 * controller. Every call turns its request into one buffer of vectors (one byte per TCK clock)
 * and hands it to the controller's device in one request.
 *
 * All results: 0 for success, 1 for failure. port is 0, 1 or 2 (every request on port 0
 * fails). Bit streams are arrays of 16-bit words; bit i of a stream is bit (i % 16) of word
 * i / 16, so bit 0 of word 0 is shifted first. A null tdi shifts all ones, a null tdo discards
 * the capture; tdo needs room for bits / 16 + 1 words. */
#ifndef BSX4810_H
#define BSX4810_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define BSX4810_EXPORT __attribute__((visibility("default")))
#else
#define BSX4810_EXPORT
#endif

/* Stable TAP states, as taken by move_to_state and scan_set_stop_state. */
#define BSX4810_TEST_LOGIC_RESET 1
#define BSX4810_RUN_TEST_IDLE 2
#define BSX4810_PAUSE_DR 3
#define BSX4810_PAUSE_IR 4

/* Claims the controller; fails while any process holds it, this one included. */
BSX4810_EXPORT int open_4810(void);
/* Gives this process's claim back. Fails only when requests the cable held back could not be
 * sent to it; the claim is given back all the same. */
BSX4810_EXPORT int close_4810(void);
/* Five TMS 1 clocks: Test-Logic-Reset. */
BSX4810_EXPORT int tms_reset(int port);
/* One TRST clock: Test-Logic-Reset. */
BSX4810_EXPORT int trst_reset(int port);
/* One instruction or data register scan of bits bits, ending in the stop state. */
BSX4810_EXPORT int scan_ir(int port, const unsigned short* tdi, unsigned short bits,
                           unsigned short* tdo);
BSX4810_EXPORT int scan_dr(int port, const unsigned short* tdi, unsigned short bits,
                           unsigned short* tdo);
/* Shifts bits clocks of TDI and samples TDO without any state move. */
BSX4810_EXPORT int scan_tdio(int port, const unsigned short* tdi, unsigned short bits,
                             unsigned short* tdo);
/* As scan_ir and scan_dr, but ending in Pause-IR or Pause-DR. */
BSX4810_EXPORT int scan_to_pause_ir(int port, const unsigned short* tdi, unsigned short bits,
                                    unsigned short* tdo);
BSX4810_EXPORT int scan_to_pause_dr(int port, const unsigned short* tdi, unsigned short bits,
                                    unsigned short* tdo);
/* count scans back to back, each taking the next bits of tdi (and tdo), then the stop state. */
BSX4810_EXPORT int multi_scan_ir(int port, const unsigned short* tdi, unsigned short bits,
                                 unsigned short count);
BSX4810_EXPORT int multi_scan_dr(int port, const unsigned short* tdi, unsigned short bits,
                                 unsigned short count, unsigned short* tdo);
/* Moves the TAP to a stable state (1 to 4). */
BSX4810_EXPORT int move_to_state(int port, int state);
/* Sets the state in which single scans end (1 to 4); anything else fails and changes nothing. */
BSX4810_EXPORT int scan_set_stop_state(int state);

#ifdef __cplusplus
}
#endif

#endif
