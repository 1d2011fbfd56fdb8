// Handing a status text to the program, whose buffer holds VEK_STATUS_TEXT_SIZE bytes.
#pragma once

#include "vekdriver.h"

#include <algorithm>
#include <cstring>

namespace drvsupport {

// Copies text into the caller's buffer, cut to fit with its terminator.
inline void CopyStatusText(const char* text, char* buffer) {
    if (buffer == nullptr) {
        return;
    }
    const size_t length =
        text == nullptr ? 0 : std::min(std::strlen(text), size_t{VEK_STATUS_TEXT_SIZE - 1});
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}

} // namespace drvsupport
