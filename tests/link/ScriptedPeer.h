#pragma once

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "link/Bytes.h"
#include "link/JBusFrame.h"
#include "link/PtyPair.h"

namespace flowcfg::testing {

// What the peer does with one request.
struct PeerReply {
    Bytes bytes;          // sent back (nothing sent when empty)
    int delayMs = 0;      // before the first byte
    int gapAfter = -1;    // a pause after this many bytes ...
    int gapMs = 0;        // ... of this length
    bool hangUp = false;  // close the line instead of answering (an unplugged adapter)
    // Bytes per write to the line (0: the whole reply in one write), with a pause between
    // the pieces.
    std::size_t pieceSize = 1;
    int pieceGapMs = 0;
};

// A stand-in for the instrument on the master side of a pseudo-terminal: reads each JBus request
// (8 bytes, or 9 + byte count for function 16), records it with the arrival time of every byte,
// and answers as the script says.
class ScriptedPeer {
public:
    using Script = std::function<PeerReply(const Bytes& request, int index)>;
    using Clock = std::chrono::steady_clock;

    ScriptedPeer(PtyPair& pty, Script script) : pty_(pty), script_(std::move(script)) {
        thread_ = std::thread([this] { Run(); });
    }
    ~ScriptedPeer() { Stop(); }

    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }

    std::vector<Bytes> Requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    std::vector<std::vector<Clock::time_point>> ArrivalTimes() const {
        std::lock_guard lock(mutex_);
        return arrivals_;
    }

    // A well-formed reply to `request` from a slave whose register r holds r + 0x0100 (reads),
    // or the echo of a write.
    static Bytes Answer(const Bytes& request, int slave = -1) {
        Bytes body{static_cast<std::uint8_t>(slave < 0 ? request[0] : slave), request[1]};
        const int start = request[2] << 8 | request[3];
        const int count = request[4] << 8 | request[5];
        if (request[1] == 16) {
            body.insert(body.end(), request.begin() + 2, request.begin() + 6);
        } else {
            body.push_back(static_cast<std::uint8_t>(2 * count));
            for (int r = start; r < start + count; ++r) {
                body.push_back(static_cast<std::uint8_t>(((r + 0x0100) >> 8) & 0xFF));
                body.push_back(static_cast<std::uint8_t>((r + 0x0100) & 0xFF));
            }
        }
        return WithCrc(body);
    }

    static Bytes WithCrc(Bytes body) {
        const std::uint16_t crc = JBusFrame::Crc16(body.data(), body.size());
        body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
        body.push_back(static_cast<std::uint8_t>(crc >> 8));
        return body;
    }

private:
    // Next byte from the line, or -1 when stopping.
    int ReadByte(Clock::time_point& when) {
        while (!stop_) {
            pollfd entry{pty_.master(), POLLIN, 0};
            if (::poll(&entry, 1, 20) <= 0 || !(entry.revents & POLLIN)) continue;
            std::uint8_t byte = 0;
            if (::read(pty_.master(), &byte, 1) == 1) {
                when = Clock::now();
                return byte;
            }
        }
        return -1;
    }

    void Run() {
        for (int index = 0; !stop_; ++index) {
            Bytes request;
            std::vector<Clock::time_point> times;
            std::size_t length = 8;
            while (request.size() < length) {
                Clock::time_point when;
                const int byte = ReadByte(when);
                if (byte < 0) return;
                request.push_back(static_cast<std::uint8_t>(byte));
                times.push_back(when);
                if (request.size() == 7 && request[1] == 16) length = 9 + request[6];
            }
            {
                std::lock_guard lock(mutex_);
                requests_.push_back(request);
                arrivals_.push_back(times);
            }
            const PeerReply reply = script_(request, index);
            if (reply.delayMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
            if (reply.hangUp) {
                pty_.CloseMaster();
                return;
            }
            const std::size_t size = reply.bytes.size();
            const std::size_t piece = reply.pieceSize == 0 ? size : reply.pieceSize;
            for (std::size_t i = 0; i < size;) {
                if (static_cast<int>(i) == reply.gapAfter)
                    std::this_thread::sleep_for(std::chrono::milliseconds(reply.gapMs));
                else if (i > 0 && reply.pieceGapMs > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(reply.pieceGapMs));
                std::size_t end = std::min(size, i + piece);
                if (reply.gapAfter > static_cast<int>(i) && reply.gapAfter < static_cast<int>(end))
                    end = static_cast<std::size_t>(reply.gapAfter);
                pty_.Write(Bytes(reply.bytes.begin() + i, reply.bytes.begin() + end));
                i = end;
            }
        }
    }

    PtyPair& pty_;
    Script script_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<Bytes> requests_;
    std::vector<std::vector<Clock::time_point>> arrivals_;
    std::thread thread_;
};

}  // namespace flowcfg::testing
