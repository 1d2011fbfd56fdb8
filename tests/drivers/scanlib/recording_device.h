// A controller back end for tests: records every request, answers vector requests with scripted
// TDO levels, and fails the requests a test asks it to.
#pragma once

#include "device_channel.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace bsx4810::test {

struct DeviceLog {
    struct Request {
        uint32_t code;
        std::vector<uint8_t> input;          // as the library sent it
        std::array<uint8_t, 8> outputBefore; // the output area when the request was made
        size_t outputSize;
    };
    std::vector<Request> requests;
    int opens = 0;

    // TDO level per vector of every vector request, by position; missing levels read low.
    std::vector<bool> tdo;
    // Fails the vector request with this index (0 = the first), counted over the log's life.
    int failVectorRequest = -1;
    int vectorRequestsSeen = 0;
    bool failPortWrites = false;
    // When set, written into the output area of each vector request.
    std::vector<uint8_t> returnedBlock;

    std::vector<Request> VectorRequests() const;
    // The vectors of the latest vector request.
    std::vector<uint8_t> LastVectors() const;
};

DeviceFactory RecordingFactory(std::shared_ptr<DeviceLog> log);

// Points the device lock at a file of this test process, so that test programs running side by
// side do not contend for the controller.
void UsePrivateLockFile();

} // namespace bsx4810::test
