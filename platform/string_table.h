#pragma once

#include <string_view>

namespace vek {

// The program's string table: every message text of the compiler and of the driver binding,
// defined once and loaded by number, one list for each catalogue. Texts are exact, trailing blanks
// included.

#define VEK_COMPILER_MESSAGES(X)                                                                   \
    X(ErrP00, 1, "error P00: unexpected end of file ")                                             \
    X(ErrP01, 2, "error P01: open comment ")                                                       \
    X(ErrP02, 3, "error P02: wrong syntax ")                                                       \
    X(ErrP03, 4, "error P03: hex constants must have at least one hex digit")                      \
    X(ErrP04, 5, "error P04: dual constants must have at least one dual digit")                    \
    X(ErrP05, 6, "error P05: newline in constant")                                                 \
    X(ErrP06, 7, "error P06: number of characters exceeds line size")                              \
    X(ErrP07, 8, "error P07: unknown token ")                                                      \
    X(ErrB01, 9, "error B01: address is not completely defined")                                   \
    X(ErrB02, 10, "error B02: address shift constant out of range")                                \
    X(ErrB03, 11, "error B03: address length constant out of range")                               \
    X(ErrB04, 12, "error B04: hierarchy label constant out of range")                              \
    X(ErrB05, 13, "error B05: no matching hierarchy label is found")                               \
    X(ErrB06, 14, "error B06: hierarchy label is already defined")                                 \
    X(ErrB07, 15, "error B07: address greater than defined address size")                          \
    X(ErrB08, 16, "error B08: sum of length, shift exceeds address size")                          \
    X(ErrB09, 17, "error B09: sum of length, shift overwrites previous address")                   \
    X(ErrB10, 18, "error B10: variable bit size out of range")                                     \
    X(ErrB11, 19, "error B11: Address specifier greater than address length.")                     \
    X(ErrB12, 20, "error B12: Mask error")                                                         \
    X(ErrB13, 21, "error B13: Bit address error")                                                  \
    X(ErrB14, 22, "error B14: Byte has different access type")                                     \
    X(ErrB15, 23, "error B15: Different default values defined for same register")                 \
    X(ErrB16, 24, "error B16: %l: redefinition")                                                   \
    X(ErrB17, 25, "error B17: %l: redefinition; different types")                                  \
    X(ErrB18, 26, "error B18: Same address with different memory models")                          \
    X(ErrB19, 27, "error B19: String too large")                                                   \
    X(ErrB20, 28, "error B20: Concatenated data size error")                                       \
    X(ErrB21, 29, "error B21: %l not defined in register part.")                                   \
    X(ErrB22, 30, "error B22: memory model greater than defined data size")                        \
    X(ErrB23, 31, "error B23: data size constant out of range")                                    \
    X(ErrB24, 32, "error B24: mem size constant ouf of range")                                     \
    X(ErrB25, 33, "error B25: address size constant out of range")                                 \
    X(ErrB26, 34, "error B26: %l: macro does not take %n parameter(s)")                            \
    X(ErrB27, 35, "error B27: %l: unresolved macro")                                               \
    X(ErrB28, 36, "error B28: more than four bytes in the byte order")                             \
    X(ErrB29, 37, "error B29: non allowed byte sequence")                                          \
    X(ErrB30, 38, "error B30: datasize differs from number of bytes in byte order")

#define VEK_DRIVER_MESSAGES(X)                                                                     \
    X(DrvD00, 40,                                                                                  \
      "driver error D00: Not valid driver. Do you want to switch in the simulation "               \
      "mode ?")                                                                                    \
    X(DrvD01, 41, "driver error D01: cannot load the driver")                                      \
    X(DrvD02, 42, "driver error D02: cannot find function")                                        \
    X(DrvD03, 43, "driver error D03: cannot open the driver")                                      \
    X(DrvD04, 44, "driver error D04: cannot close the driver")                                     \
    X(DrvD05, 45, "driver error D05: cannot write to address ")                                    \
    X(DrvD06, 46, "driver error D06: cannot read from address ")                                   \
    X(DrvD07, 47, "driver error D07: no valid data to write to address ")                          \
    X(DrvD08, 48, "driver error D08: cannot execute the command, driver is not loaded.")

// The question before register values saved with another description are loaded.
#define VEK_DOCUMENT_QUESTIONS(X)                                                                  \
    X(WarnDifferentVekFiles, 61219,                                                                \
      "WARNING: Different Vek Files!\n\nThe Vkg file %file1 was saved with the Vek file %file2. "  \
      "\nLoad it anyway?")

#define VEK_STRING_TABLE(X)                                                                        \
    VEK_COMPILER_MESSAGES(X) VEK_DRIVER_MESSAGES(X) VEK_DOCUMENT_QUESTIONS(X)

enum class StringId : int {
#define VEK_STRING_ID(name, number, text) name = number,
    VEK_STRING_TABLE(VEK_STRING_ID)
#undef VEK_STRING_ID
};

// The text stored under an id; an empty text for a number that is not in the table.
std::string_view LoadString(StringId id);
std::string_view LoadString(int number);

} // namespace vek
