#include "cli/register_watch.h"

#include "cli/item_lookup.h"
#include "document/vek_doc.h"
#include "model/var_item.h"

#include <cstdio>
#include <ctime>
#include <ostream>

namespace vek {

namespace {

// What the loop keeps of one item between rounds.
struct Watched {
    bool seen = false; // a value has been printed
    std::string hex;   // the value printed last
    std::uint32_t changes = 0;
    std::uint32_t failedReads = 0;
};

// "HH:MM:SS.mmm", local time.
std::string TimeOfDay(std::chrono::system_clock::time_point when) {
    const auto sinceEpoch = when.time_since_epoch();
    const std::time_t seconds =
        std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch).count();
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(milliseconds));
    return text;
}

// Reads one item and prints its line when its value is new or changed.
void Sample(CVekDoc& doc, CVarItem& item, const std::string& name, const std::string& stamp,
            Watched& watched, std::ostream& out) {
    if (!doc.ReadRegister(item)) {
        ++watched.failedReads;
        return;
    }
    std::string hex = ShownHex(item);
    if (watched.seen && hex == watched.hex)
        return;
    out << stamp << "  " << name << " = " << hex;
    if (watched.seen) {
        out << " (was " << watched.hex << ")";
        ++watched.changes;
    }
    // Each line as it happens, also into a pipe.
    out << std::endl;
    watched.seen = true;
    watched.hex = std::move(hex);
}

void PrintSummary(const WatchRequest& request, const std::vector<Watched>& watched,
                  std::uint32_t rounds, std::chrono::system_clock::duration elapsed,
                  std::ostream& out) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", std::chrono::duration<double>(elapsed).count());
    out << "watch: " << rounds << (rounds == 1 ? " round" : " rounds") << " in " << seconds
        << " s\n";
    for (std::size_t i = 0; i < watched.size(); ++i) {
        out << "  " << request.names[i] << ": " << watched[i].changes
            << (watched[i].changes == 1 ? " change" : " changes");
        if (watched[i].seen)
            out << ", last " << watched[i].hex;
        if (watched[i].failedReads != 0)
            out << ", " << watched[i].failedReads << " failed reads";
        out << '\n';
    }
}

} // namespace

bool WatchRegisters(CVekDoc& doc, const WatchRequest& request, WatchPacer& pacer,
                    std::ostream& out) {
    std::vector<Watched> watched(request.items.size());
    const auto start = pacer.Now();
    std::uint32_t rounds = 0;
    while (!pacer.StopRequested()) {
        const std::string stamp = TimeOfDay(pacer.Now());
        for (std::size_t i = 0; i < request.items.size() && !pacer.StopRequested(); ++i)
            Sample(doc, *request.items[i], request.names[i], stamp, watched[i], out);
        ++rounds;
        if ((request.count != 0 && rounds >= request.count) || !pacer.Wait(request.interval))
            break;
    }
    PrintSummary(request, watched, rounds, pacer.Now() - start, out);
    for (const Watched& item : watched) {
        if (item.failedReads != 0)
            return false;
    }
    return true;
}

} // namespace vek
