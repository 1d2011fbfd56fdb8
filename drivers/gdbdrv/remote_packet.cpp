#include "remote_packet.h"

#include "gdb_limits.h"

namespace vek {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
// A run's count character stands for the count plus this.
constexpr int kRunLengthBias = 29;

bool NeedsEscape(char c) {
    return c == '#' || c == '$' || c == '}' || c == '*';
}

} // namespace

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string FrameBody(std::string_view body) {
    unsigned sum = 0;
    for (const char c : body) {
        sum += static_cast<unsigned char>(c);
    }
    std::string framed;
    framed.reserve(body.size() + 4);
    framed += '$';
    framed += body;
    framed += '#';
    framed += kHexDigits[(sum >> 4) & 0xF];
    framed += kHexDigits[sum & 0xF];
    return framed;
}

std::string FramePacket(std::string_view payload) {
    std::string body;
    body.reserve(payload.size());
    for (const char c : payload) {
        if (NeedsEscape(c)) {
            body += '}';
            body += static_cast<char>(c ^ 0x20);
        } else {
            body += c;
        }
    }
    return FrameBody(body);
}

void FrameReader::Reset() {
    state_ = State::Idle;
    payload_.clear();
}

std::optional<ReceivedFrame> FrameReader::Take(char byte) {
    const auto c = static_cast<unsigned char>(byte);
    switch (state_) {
    case State::Idle:
        if (byte == '+')
            return ReceivedFrame{ReceivedFrame::Kind::Ack, {}};
        if (byte == '-')
            return ReceivedFrame{ReceivedFrame::Kind::Nak, {}};
        if (byte == '$' || byte == '%') {
            state_ = State::Payload;
            notification_ = byte == '%';
            overflow_ = false;
            sum_ = 0;
            payload_.clear();
        }
        return std::nullopt;
    case State::Payload:
        if (byte == '#') {
            state_ = State::Checksum1;
            return std::nullopt;
        }
        // A '$' inside a payload means the frame before it was cut off: start again there.
        if (byte == '$') {
            sum_ = 0;
            payload_.clear();
            overflow_ = false;
            return std::nullopt;
        }
        sum_ += c;
        if (byte == '}') {
            state_ = State::Escape;
        } else if (byte == '*') {
            state_ = State::RunLength;
        } else if (payload_.size() < kMaxReplyBytes) {
            payload_ += byte;
        } else {
            overflow_ = true;
        }
        return std::nullopt;
    case State::Escape:
        sum_ += c;
        state_ = State::Payload;
        if (payload_.size() < kMaxReplyBytes) {
            payload_ += static_cast<char>(c ^ 0x20);
        } else {
            overflow_ = true;
        }
        return std::nullopt;
    case State::RunLength: {
        sum_ += c;
        state_ = State::Payload;
        const int repeat = static_cast<int>(c) - kRunLengthBias;
        // A run needs a character before it; a count below zero is not one a server writes.
        if (payload_.empty() || repeat < 0 ||
            payload_.size() + static_cast<std::size_t>(repeat) > kMaxReplyBytes) {
            overflow_ = true;
            return std::nullopt;
        }
        payload_.append(static_cast<std::size_t>(repeat), payload_.back());
        return std::nullopt;
    }
    case State::Checksum1:
        given_ = static_cast<unsigned>(HexValue(byte)) << 4;
        if (HexValue(byte) < 0)
            overflow_ = true;
        state_ = State::Checksum2;
        return std::nullopt;
    case State::Checksum2:
        given_ |= static_cast<unsigned>(HexValue(byte)) & 0xF;
        if (HexValue(byte) < 0)
            overflow_ = true;
        state_ = State::Idle;
        return Finish();
    }
    return std::nullopt;
}

std::optional<ReceivedFrame> FrameReader::Finish() {
    const bool intact = !overflow_ && given_ == (sum_ & 0xFF);
    if (notification_) {
        return ReceivedFrame{ReceivedFrame::Kind::Notification, {}};
    }
    if (!intact) {
        payload_.clear();
        return ReceivedFrame{ReceivedFrame::Kind::BadPacket, {}};
    }
    return ReceivedFrame{ReceivedFrame::Kind::Packet, std::move(payload_)};
}

} // namespace vek
