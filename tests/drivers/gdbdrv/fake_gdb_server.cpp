// A GDB server of the tests' own, for what a real one does not do on request: refusals, damaged
// and compressed replies, line noise, a dropped connection, silence. It listens on a free
// loopback port, prints "PORT n", then one line per packet it receives, and serves one
// connection after another until it is stopped. Memory that was never written reads as the low
// byte of its address; addresses 0xE0000000 to 0xFFFFFFFF are refused with E01.
#include "remote_packet.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Behaviour {
    bool offerNoAck = false;
    bool nakFirst = false;    // every packet is refused once with '-'
    bool damageFirst = false; // every reply is sent once with a wrong checksum
    bool noise = false;       // stray bytes before every reply
    bool compress = false;    // replies use run-length encoding
    bool silent = false;      // never answers
    int dropAfter = -1;       // closes the connection on this packet
};

std::map<unsigned long long, unsigned char> memory;

unsigned char MemoryByte(unsigned long long address) {
    const auto found = memory.find(address);
    return found != memory.end() ? found->second : static_cast<unsigned char>(address);
}

bool Refused(unsigned long long address) {
    return address >= 0xE0000000ULL && address <= 0xFFFFFFFFULL;
}

std::string Compressed(const std::string& payload) {
    // Runs of four or more become the character, '*' and the count's character.
    std::string out;
    for (std::size_t i = 0; i < payload.size();) {
        std::size_t run = 1;
        while (i + run < payload.size() && payload[i + run] == payload[i] && run < 40)
            ++run;
        if (run >= 4 && run - 1 + 29 != '#' && run - 1 + 29 != '$') {
            out += payload[i];
            out += '*';
            out += static_cast<char>(run - 1 + 29);
        } else {
            out.append(run, payload[i]);
        }
        i += run;
    }
    return out;
}

std::string Frame(const std::string& payload, bool compress) {
    if (!compress)
        return vek::FramePacket(payload);
    return vek::FrameBody(Compressed(payload));
}

std::string Reply(const std::string& packet, const Behaviour& behaviour, bool& noAck,
                  bool& running) {
    unsigned long long address = 0;
    unsigned length = 0;
    if (packet.rfind("qSupported", 0) == 0)
        return std::string("PacketSize=4000") + (behaviour.offerNoAck ? ";QStartNoAckMode+" : "");
    if (packet == "QStartNoAckMode") {
        noAck = true;
        return "OK";
    }
    if (packet == "?")
        return "S05";
    if (packet == "D")
        return "OK";
    if (packet == "c") {
        running = true;
        return {};
    }
    if (std::sscanf(packet.c_str(), "m%llx,%x", &address, &length) == 2) {
        if (Refused(address) || Refused(address + length - 1))
            return "E01";
        std::string hex;
        for (unsigned i = 0; i < length; ++i) {
            char digits[3];
            std::snprintf(digits, sizeof digits, "%02x", MemoryByte(address + i));
            hex += digits;
        }
        return hex;
    }
    if (std::sscanf(packet.c_str(), "M%llx,%x:", &address, &length) == 2) {
        if (Refused(address))
            return "E01";
        const std::size_t data = packet.find(':') + 1;
        for (unsigned i = 0; i < length; ++i)
            memory[address + i] =
                static_cast<unsigned char>(std::stoul(packet.substr(data + 2 * i, 2), nullptr, 16));
        return "OK";
    }
    return "";
}

void Send(int fd, const std::string& bytes) {
    if (::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) < 0)
        std::perror("send");
}

void Serve(int fd, Behaviour& behaviour) {
    vek::FrameReader reader;
    bool noAck = false;
    bool running = false;
    bool naked = false;
    int packets = 0;
    char byte = 0;
    while (::read(fd, &byte, 1) == 1) {
        if (byte == '\x03') {
            std::printf("^C\n");
            std::fflush(stdout);
            if (running) {
                running = false;
                Send(fd, Frame("T02", false));
            }
            continue;
        }
        const auto frame = reader.Take(byte);
        if (!frame || frame->kind != vek::ReceivedFrame::Kind::Packet)
            continue;
        if (behaviour.nakFirst && !naked) {
            naked = true;
            Send(fd, "-");
            continue;
        }
        naked = false;
        std::printf("%s\n", frame->payload.c_str());
        std::fflush(stdout);
        if (++packets == behaviour.dropAfter) {
            behaviour.dropAfter = -1;
            return;
        }
        const bool ackedBefore = !noAck;
        if (ackedBefore)
            Send(fd, "+");
        if (behaviour.silent)
            continue;
        const std::string reply = Reply(frame->payload, behaviour, noAck, running);
        if (frame->payload == "c")
            continue;
        if (behaviour.noise)
            Send(fd, "\r\nnoise ");
        if (behaviour.damageFirst && ackedBefore) {
            std::string damaged = Frame(reply, behaviour.compress);
            damaged[damaged.size() - 1] = damaged.back() == '0' ? '1' : '0';
            Send(fd, damaged);
            // The client asks again with '-'.
            char answer = 0;
            while (::read(fd, &answer, 1) == 1 && answer != '-') {
            }
        }
        Send(fd, Frame(reply, behaviour.compress));
        if (frame->payload == "D")
            return;
    }
}

} // namespace

int main(int argc, char** argv) {
    Behaviour behaviour;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        behaviour.offerNoAck |= option == "--no-ack-mode";
        behaviour.nakFirst |= option == "--nak-first";
        behaviour.damageFirst |= option == "--damage-first";
        behaviour.noise |= option == "--noise";
        behaviour.compress |= option == "--compress";
        behaviour.silent |= option == "--silent";
        if (option == "--drop-after" && i + 1 < argc)
            behaviour.dropAfter = std::atoi(argv[++i]);
    }
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 4) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        std::perror("fake_gdb_server");
        return 1;
    }
    std::printf("PORT %d\n", ntohs(address.sin_port));
    std::fflush(stdout);
    for (;;) {
        const int fd = ::accept(listener, nullptr, nullptr);
        if (fd < 0)
            return 1;
        Serve(fd, behaviour);
        ::close(fd);
        std::printf("CLOSED\n");
        std::fflush(stdout);
    }
}
