#pragma once

#include "scripting/basic/conversions.h"

#include <string>
#include <string_view>

// Shared argument checks of the built-in functions: each returns from the calling function with
// the conversion's error when an argument does not convert.
#define VEK_BASIC_ARG_TEXT(var, value)                                                             \
    std::string var;                                                                               \
    if (const RunError e_##var = ToText(value, var); e_##var != RunError::None) {                  \
        return e_##var;                                                                            \
    }

// A text only read: a String argument's own text without a copy, any other value's text made in
// var##Storage.
#define VEK_BASIC_ARG_TEXT_VIEW(var, value)                                                        \
    std::string var##Storage;                                                                      \
    std::string_view var;                                                                          \
    if ((value).IsString()) {                                                                      \
        var = (value).StringValue();                                                               \
    } else if (const RunError e_##var = ToText(value, var##Storage); e_##var != RunError::None) {  \
        return e_##var;                                                                            \
    } else {                                                                                       \
        var = var##Storage;                                                                        \
    }

#define VEK_BASIC_ARG_LONG(var, value)                                                             \
    std::int32_t var = 0;                                                                          \
    if (const RunError e_##var = ToLong(value, var); e_##var != RunError::None) {                  \
        return e_##var;                                                                            \
    }

#define VEK_BASIC_ARG_DOUBLE(var, value)                                                           \
    double var = 0;                                                                                \
    if (const RunError e_##var = ToDouble(value, var); e_##var != RunError::None) {                \
        return e_##var;                                                                            \
    }
