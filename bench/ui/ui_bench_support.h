#pragma once

#include <QString>

class QTemporaryDir;

namespace vek::bench {

// Writes a generated description whose devices use the test driver (the one in the program's
// folder) into the folder, and returns the description's path.
QString WriteTestDriverBoard(const QTemporaryDir& folder, int devices, int registers,
                             int bitFields);

} // namespace vek::bench
