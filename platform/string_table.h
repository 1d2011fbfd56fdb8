#pragma once

#include <string_view>

namespace vek {

// How much a message weighs; also the word its text begins with.
enum class Severity {
    SyntaxError, // "error": found by the scanner or the parser, reported as "Line <n>: " and the
                 // text, and counted only up to a limit
    Error,       // "error": found by the builder or the item list, reported as "Line <n> : " and
                 // the text
    DriverError, // "driver error": loading, binding or calling a driver
    Warning,     // "WARNING": a question put to the user
};

// What a message carries besides its text, and where.
enum class MessageArguments {
    None,
    Token,         // the current token in single quotes, after the text
    TokenExpected, // the same, then ", expected " and the expected token where one alone fits
    Name,          // "%l" in the text: a name in single quotes
    NameNumber,    // "%n" in the text: a number; and "%l"
    Detail,        // " : " and a file name, a function name or the driver's status, after the text
    Address,       // a register's address, after the text
    AddressDetail, // the address, then " : " and the driver's status
    Files,         // "%file1" and "%file2" in the text: two file names in double quotes
};

// The program's string table: every message of the compiler, the driver binding and the
// register-values file, defined once and loaded by number, one list for each catalogue. Each
// line: name, number, severity, code, arguments, text. The stored text is the severity's word,
// the code, ": " and the text, exactly as the system shows it (trailing blanks included).
#define VEK_COMPILER_MESSAGES(X)                                                                   \
    X(ErrP00, 1, SyntaxError, P00, None, "unexpected end of file ")                                \
    X(ErrP01, 2, SyntaxError, P01, None, "open comment ")                                          \
    X(ErrP02, 3, SyntaxError, P02, TokenExpected, "wrong syntax ")                                 \
    X(ErrP03, 4, SyntaxError, P03, None, "hex constants must have at least one hex digit")         \
    X(ErrP04, 5, SyntaxError, P04, None, "dual constants must have at least one dual digit")       \
    X(ErrP05, 6, SyntaxError, P05, None, "newline in constant")                                    \
    X(ErrP06, 7, SyntaxError, P06, None, "number of characters exceeds line size")                 \
    X(ErrP07, 8, SyntaxError, P07, Token, "unknown token ")                                        \
    X(ErrB01, 9, Error, B01, None, "address is not completely defined")                            \
    X(ErrB02, 10, Error, B02, None, "address shift constant out of range")                         \
    X(ErrB03, 11, Error, B03, None, "address length constant out of range")                        \
    X(ErrB04, 12, Error, B04, None, "hierarchy label constant out of range")                       \
    X(ErrB05, 13, Error, B05, None, "no matching hierarchy label is found")                        \
    X(ErrB06, 14, Error, B06, None, "hierarchy label is already defined")                          \
    X(ErrB07, 15, Error, B07, None, "address greater than defined address size")                   \
    X(ErrB08, 16, Error, B08, None, "sum of length, shift exceeds address size")                   \
    X(ErrB09, 17, Error, B09, None, "sum of length, shift overwrites previous address")            \
    X(ErrB10, 18, Error, B10, None, "variable bit size out of range")                              \
    X(ErrB11, 19, Error, B11, None, "Address specifier greater than address length.")              \
    X(ErrB12, 20, Error, B12, None, "Mask error")                                                  \
    X(ErrB13, 21, Error, B13, None, "Bit address error")                                           \
    X(ErrB14, 22, Error, B14, None, "Byte has different access type")                              \
    X(ErrB15, 23, Error, B15, None, "Different default values defined for same register")          \
    X(ErrB16, 24, Error, B16, Name, "%l: redefinition")                                            \
    X(ErrB17, 25, Error, B17, Name, "%l: redefinition; different types")                           \
    X(ErrB18, 26, Error, B18, None, "Same address with different memory models")                   \
    X(ErrB19, 27, Error, B19, None, "String too large")                                            \
    X(ErrB20, 28, Error, B20, None, "Concatenated data size error")                                \
    X(ErrB21, 29, Error, B21, Name, "%l not defined in register part.")                            \
    X(ErrB22, 30, Error, B22, None, "memory model greater than defined data size")                 \
    X(ErrB23, 31, Error, B23, None, "data size constant out of range")                             \
    X(ErrB24, 32, Error, B24, None, "mem size constant ouf of range")                              \
    X(ErrB25, 33, Error, B25, None, "address size constant out of range")                          \
    X(ErrB26, 34, Error, B26, NameNumber, "%l: macro does not take %n parameter(s)")               \
    X(ErrB27, 35, Error, B27, Name, "%l: unresolved macro")                                        \
    X(ErrB28, 36, Error, B28, None, "more than four bytes in the byte order")                      \
    X(ErrB29, 37, Error, B29, None, "non allowed byte sequence")                                   \
    X(ErrB30, 38, Error, B30, None, "datasize differs from number of bytes in byte order")

#define VEK_DRIVER_MESSAGES(X)                                                                     \
    X(DrvD00, 40, DriverError, D00, None,                                                          \
      "Not valid driver. Do you want to switch in the simulation mode ?")                          \
    X(DrvD01, 41, DriverError, D01, Detail, "cannot load the driver")                              \
    X(DrvD02, 42, DriverError, D02, Detail, "cannot find function")                                \
    X(DrvD03, 43, DriverError, D03, Detail, "cannot open the driver")                              \
    X(DrvD04, 44, DriverError, D04, Detail, "cannot close the driver")                             \
    X(DrvD05, 45, DriverError, D05, AddressDetail, "cannot write to address ")                     \
    X(DrvD06, 46, DriverError, D06, AddressDetail, "cannot read from address ")                    \
    X(DrvD07, 47, DriverError, D07, Address, "no valid data to write to address ")                 \
    X(DrvD08, 48, DriverError, D08, None, "cannot execute the command, driver is not loaded.")

// The question before register values saved with another description are loaded.
#define VEK_DOCUMENT_QUESTIONS(X)                                                                  \
    X(WarnDifferentVekFiles, 61219, Warning, , Files,                                              \
      "Different Vek Files!\n\nThe Vkg file %file1 was saved with the Vek file %file2. \nLoad it " \
      "anyway?")

#define VEK_STRING_TABLE(X)                                                                        \
    VEK_COMPILER_MESSAGES(X) VEK_DRIVER_MESSAGES(X) VEK_DOCUMENT_QUESTIONS(X)

#define VEK_MESSAGE_TEXT_SyntaxError(code, text) "error " #code ": " text
#define VEK_MESSAGE_TEXT_Error(code, text) "error " #code ": " text
#define VEK_MESSAGE_TEXT_DriverError(code, text) "driver error " #code ": " text
#define VEK_MESSAGE_TEXT_Warning(code, text) "WARNING: " text

enum class StringId : int {
#define VEK_STRING_ID(name, number, severity, code, arguments, text) name = number,
    VEK_STRING_TABLE(VEK_STRING_ID)
#undef VEK_STRING_ID
};

struct CatalogueEntry {
    StringId id;
    Severity severity;
    MessageArguments arguments;
    std::string_view text; // as stored: word, code and text
};

// The entry of a number; null for a number that is not in the table.
const CatalogueEntry* FindCatalogueEntry(int number);
const CatalogueEntry& CatalogueEntryOf(StringId id);

// The text stored under an id; an empty text for a number that is not in the table.
std::string_view LoadString(StringId id);
std::string_view LoadString(int number);

} // namespace vek
