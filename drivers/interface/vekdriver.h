/* The register driver interface: five functions with C linkage that every register driver
 * exports under these undecorated names. The program loads a driver by file name and binds
 * the functions by name; no handle crosses the interface. */
#ifndef VEKDRIVER_H
#define VEKDRIVER_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Room the program provides for a status text, terminator included. */
#define VEK_STATUS_TEXT_SIZE 52
/* The program keeps at most this many address bytes and data bytes per register. */
#define VEK_MAX_ADDRESS_BYTES 8
#define VEK_MAX_DATA_BYTES 4

#if defined(__GNUC__)
#define VEK_DRIVER_EXPORT __attribute__((visibility("default")))
#else
#define VEK_DRIVER_EXPORT
#endif

/* Nonzero when the driver and its hardware are usable. */
VEK_DRIVER_EXPORT int VekOpen(void);
/* Nonzero on success. */
VEK_DRIVER_EXPORT int VekClose(void);
/* Writes the dataLen low-order bytes of data to the register named by addrLen bytes at addr
 * (byte 0 least significant). Nonzero when written. */
VEK_DRIVER_EXPORT int VekSetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data);
/* Reads the register into the first dataLen bytes of the 4-byte area at data, least
 * significant byte first; the other bytes are left as they were. Nonzero when read. */
VEK_DRIVER_EXPORT int VekGetReg(int addrLen, int dataLen, const unsigned char* addr,
                                uint32_t* data);
/* Copies the zero-terminated status text (at most VEK_STATUS_TEXT_SIZE bytes) into text. */
VEK_DRIVER_EXPORT void VekGetStatus(char* text);

/* Optional: a driver may also export VekGetRegs, which the program uses when it is there (and
 * reads register by register when not). It reads count registers of one shape: their addresses
 * lie one after another at addrs, addrLen bytes each (byte 0 least significant), and register i
 * goes to data[i] as VekGetReg would put it. The program hands it only registers that Read Now
 * reads anyway, in address order, so a driver may join neighbours into one transfer; it must not
 * touch anything in between. Nonzero when every register was read; on 0 the program reads each
 * one again with VekGetReg, so that a failure is a register's own. */
VEK_DRIVER_EXPORT int VekGetRegs(int count, int addrLen, int dataLen, const unsigned char* addrs,
                                 uint32_t* data);

/* The function types the program binds. */
typedef int (*VekOpenFn)(void);
typedef int (*VekCloseFn)(void);
typedef int (*VekSetRegFn)(int addrLen, int dataLen, const unsigned char* addr, uint32_t data);
typedef int (*VekGetRegFn)(int addrLen, int dataLen, const unsigned char* addr, uint32_t* data);
typedef void (*VekGetStatusFn)(char* text);
typedef int (*VekGetRegsFn)(int count, int addrLen, int dataLen, const unsigned char* addrs,
                            uint32_t* data);

#ifdef __cplusplus
}
#endif

#endif
