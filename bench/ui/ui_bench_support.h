#pragma once

#include <QString>

class QTemporaryDir;

namespace vek::bench {

// Writes a generated description whose devices use the test driver into the folder, with the
// test driver beside it, and returns the description's path.
QString WriteTestDriverBoard(const QTemporaryDir& folder, int devices, int registers,
                             int bitFields);

} // namespace vek::bench
