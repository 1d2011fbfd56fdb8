/* The I2C adapter library I2C32: the twelve functions through which pardrv32 reaches an I2C
 * bus. The library keeps its error state per process: i2cErrorsOccurred and i2cGetErrorMessage
 * describe the last transfer. */
#ifndef I2C32_H
#define I2C32_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define I2C32_EXPORT __attribute__((visibility("default")))
#else
#define I2C32_EXPORT
#endif

/* Interface type codes for i2cSetInterfaceType. Code 1 is the simulated bus; the others name
 * adapter hardware, which on Linux is reached through an i2c-dev bus. */
enum {
    I2C32_INTERFACE_NONE = 0,
    I2C32_INTERFACE_HARDWARELESS = 1,
    I2C32_INTERFACE_SINGLE_MASTER = 2,
    I2C32_INTERFACE_MULTI_MASTER = 3,
    I2C32_INTERFACE_HIGHSPEED_BOARD = 4,
    I2C32_INTERFACE_VMC = 5,
    I2C32_INTERFACE_FULLSPEED = 6
};

/* Opens an adapter; options is reserved (pass 32). Returns a nonzero handle, 0 on failure. */
I2C32_EXPORT uint32_t i2cOpen(uint32_t options);
I2C32_EXPORT void i2cClose(uint32_t handle);
I2C32_EXPORT void i2cSetInterfaceType(uint32_t handle, int interfaceType);
I2C32_EXPORT void i2cSetIOAddress(uint32_t handle, int ioAddress);
I2C32_EXPORT void i2cSetBitrate(uint32_t handle, int bitrate);
I2C32_EXPORT void i2cSetTimeout(uint32_t handle, int timeout);
/* Sets *valid to 1 when the adapter can transfer with its settings, else 0; returns *valid. */
I2C32_EXPORT int i2cSettingsAreValid(uint32_t handle, uint32_t* valid);
/* The 7-bit address of the device that following transfers go to. */
I2C32_EXPORT void i2cSetDeviceAddress(uint32_t handle, int slaveAddress);
/* Nonzero when the last transfer failed. */
I2C32_EXPORT int i2cErrorsOccurred(void);
/* The reason the last transfer failed, or "No error". */
I2C32_EXPORT const char* i2cGetErrorMessage(void);
/* Sends the sub-address bytes, then reads count bytes after a repeated start. */
I2C32_EXPORT void i2cReadAfterRestartEx(uint32_t handle, unsigned char* received, int count,
                                        const unsigned char* subAddress, int subAddressCount);
/* Sends count bytes in one write transfer. */
I2C32_EXPORT void i2cWriteEx(uint32_t handle, const unsigned char* bytes, int count);

typedef uint32_t (*I2cOpenFn)(uint32_t);
typedef void (*I2cCloseFn)(uint32_t);
typedef void (*I2cSetInterfaceTypeFn)(uint32_t, int);
typedef void (*I2cSetIOAddressFn)(uint32_t, int);
typedef void (*I2cSetBitrateFn)(uint32_t, int);
typedef void (*I2cSetTimeoutFn)(uint32_t, int);
typedef int (*I2cSettingsAreValidFn)(uint32_t, uint32_t*);
typedef void (*I2cSetDeviceAddressFn)(uint32_t, int);
typedef int (*I2cErrorsOccurredFn)(void);
typedef const char* (*I2cGetErrorMessageFn)(void);
typedef void (*I2cReadAfterRestartExFn)(uint32_t, unsigned char*, int, const unsigned char*, int);
typedef void (*I2cWriteExFn)(uint32_t, const unsigned char*, int);

/* The twelve functions, each with the type of a pointer to it, in the order pardrv32 binds them. */
#define I2C32_FUNCTIONS(X)                                                                         \
    X(i2cOpen, I2cOpenFn)                                                                          \
    X(i2cClose, I2cCloseFn)                                                                        \
    X(i2cSetInterfaceType, I2cSetInterfaceTypeFn)                                                  \
    X(i2cSetIOAddress, I2cSetIOAddressFn)                                                          \
    X(i2cSetBitrate, I2cSetBitrateFn)                                                              \
    X(i2cSetTimeout, I2cSetTimeoutFn)                                                              \
    X(i2cSettingsAreValid, I2cSettingsAreValidFn)                                                  \
    X(i2cSetDeviceAddress, I2cSetDeviceAddressFn)                                                  \
    X(i2cErrorsOccurred, I2cErrorsOccurredFn)                                                      \
    X(i2cGetErrorMessage, I2cGetErrorMessageFn)                                                    \
    X(i2cReadAfterRestartEx, I2cReadAfterRestartExFn)                                              \
    X(i2cWriteEx, I2cWriteExFn)

#ifdef __cplusplus
}
#endif

#endif
