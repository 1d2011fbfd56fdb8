#pragma once

#include <QString>

class QTemporaryDir;

namespace vek::bench {

// Writes a generated description whose devices use the test driver (the one in the program's
// folder) into the folder, and returns the description's path.
QString WriteTestDriverBoard(const QTemporaryDir& folder, int devices, int registers,
                             int bitFields);

// Runs the event loop for `ms` with a timer asking every millisecond, and returns the longest
// gap between two of its ticks: how long a click, a repaint or a timer waited at most.
qint64 LongestEventLoopGap(qint64 ms);

} // namespace vek::bench
