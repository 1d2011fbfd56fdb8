#include "scripting/magic_services.h"

#include "platform/host.h"

#include <poll.h>
#include <unistd.h>

namespace vek {

bool ConsoleMagic::RedrawAll() {
    host_.Repaint();
    return true;
}

int ConsoleMagic::TakeKey() {
    if (!isatty(STDIN_FILENO))
        return 0;
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 0) != 1 || (input.revents & POLLIN) == 0)
        return 0;
    unsigned char key = 0;
    return read(STDIN_FILENO, &key, 1) == 1 ? key : 0;
}

} // namespace vek
