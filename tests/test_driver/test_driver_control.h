/* Control functions of the test driver library: besides the five driver functions it exports
 * these, so that a test can prepare its registers, make it fail, and read back every call. */
#ifndef TEST_DRIVER_CONTROL_H
#define TEST_DRIVER_CONTROL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum TestDriverCallKind { TestCallOpen, TestCallClose, TestCallSet, TestCallGet, TestCallStatus };

struct TestDriverCall {
    int kind;
    int addrLen;
    int dataLen;
    unsigned char addr[16];
    uint32_t data; /* the value passed to VekSetReg, or the value VekGetReg delivered */
};

typedef void (*TestDriverResetFn)(void);
typedef void (*TestDriverFailOpenFn)(int fail);
typedef void (*TestDriverFailAddressFn)(int addrLen, const unsigned char* addr);
typedef void (*TestDriverSetRegisterFn)(int addrLen, const unsigned char* addr, uint32_t value);
/* Writes to the register leave the bits of the mask as they are, as read-only bits do. */
typedef void (*TestDriverKeepBitsFn)(int addrLen, const unsigned char* addr, uint32_t mask);
typedef uint32_t (*TestDriverRegisterFn)(int addrLen, const unsigned char* addr);
typedef int (*TestDriverCallCountFn)(void);
typedef struct TestDriverCall (*TestDriverCallAtFn)(int index);

#ifdef __cplusplus
}
#endif

#endif
