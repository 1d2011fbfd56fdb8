#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

class CVarItem;
class CVekDoc;

// The longest pause between two rounds of `watch`: a day.
inline constexpr std::uint32_t kMaxWatchIntervalMs = 24 * 60 * 60 * 1000;

// What the watch loop waits with: the clock of its time stamps and a pause that a stop request
// ends early. The system's pacer stops on Ctrl-C; tests give their own.
class WatchPacer {
public:
    virtual ~WatchPacer() = default;
    virtual std::chrono::system_clock::time_point Now() = 0;
    // Waits for the pause; false when a stop was asked for before or during it.
    virtual bool Wait(std::chrono::milliseconds pause) = 0;
    virtual bool StopRequested() = 0;
};

// The registers and bit fields `watch` reads, with the names as the user gave them.
struct WatchRequest {
    std::vector<std::string> names;
    std::vector<CVarItem*> items;
    std::chrono::milliseconds interval{1000};
    std::uint32_t count = 0; // rounds; 0 runs until a stop is asked for
};

// Reads the items, and only them, round after round: prints a line stamped with the time of day
// for each first value and each change, and at the end a summary of rounds, changes and failed
// reads. False when a read failed.
bool WatchRegisters(CVekDoc& doc, const WatchRequest& request, WatchPacer& pacer,
                    std::ostream& out);

} // namespace vek
