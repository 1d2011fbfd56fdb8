// The framing of the GDB Remote Serial Protocol: a packet is '$', the payload with '#', '$', '}'
// and '*' escaped, '#' and two hex digits of the payload's checksum. A reply may compress runs
// of a character ('*' and a count); acknowledgements are single '+' and '-' bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vek {

// The payload framed for sending.
std::string FramePacket(std::string_view payload);
// A body framed as it stands, already escaped (or compressed, as a server may send it).
std::string FrameBody(std::string_view body);
// The value of a hex digit of either case; -1 for any other character.
int HexValue(char c);

// What the server sent, taken from its bytes one at a time.
struct ReceivedFrame {
    enum class Kind {
        Ack,         // '+': the last packet arrived
        Nak,         // '-': the last packet arrived damaged, send it again
        Packet,      // a packet whose checksum held: payload holds it, runs expanded
        BadPacket,   // a packet whose checksum did not hold, or that was too long
        Notification // '%': an asynchronous notification, which the driver does not ask for
    };
    Kind kind;
    std::string payload;
};

class FrameReader {
public:
    // The frame the byte completes, if any. Bytes between frames that are none of '+', '-', '$'
    // and '%' are line noise and are passed over.
    std::optional<ReceivedFrame> Take(char byte);
    // Forgets a frame begun but not finished: after a lost connection.
    void Reset();

private:
    enum class State { Idle, Payload, Escape, RunLength, Checksum1, Checksum2 };
    std::optional<ReceivedFrame> Finish();

    State state_ = State::Idle;
    bool notification_ = false;
    bool overflow_ = false;
    unsigned sum_ = 0;
    unsigned given_ = 0;
    std::string payload_;
};

} // namespace vek
