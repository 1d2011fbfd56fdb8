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

/* The function types the program binds. */
typedef int (*VekOpenFn)(void);
typedef int (*VekCloseFn)(void);
typedef int (*VekSetRegFn)(int addrLen, int dataLen, const unsigned char* addr, uint32_t data);
typedef int (*VekGetRegFn)(int addrLen, int dataLen, const unsigned char* addr, uint32_t* data);
typedef void (*VekGetStatusFn)(char* text);

#ifdef __cplusplus
}
#endif

#endif
