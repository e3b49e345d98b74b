#include "link/PortUtilities.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

namespace flowcfg {
namespace {

std::atomic<IdleHook> idleHook{nullptr};

using Clock = std::chrono::steady_clock;

long long elapsedMs(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

}  // namespace

IdleHook SetIdleHook(IdleHook hook) {
    return idleHook.exchange(hook);
}

IdleHook GetIdleHook() {
    return idleHook.load();
}

int TxEmpty(SerialPort& port) {
    const int before = port.status;
    const int waiting = port.TxCount();
    if (waiting >= 0) return waiting == 0 ? 1 : 0;
    if (waiting == PORT_ERR_UNSUPPORTED) {
        port.status = before;
        return 1;
    }
    return waiting;
}

int DrainInput(SerialPort& port) {
    std::uint8_t scratch[64];
    do {
        const int result = port.ReadBuffer(scratch, sizeof scratch);
        if (result == PORT_ERR_NO_DATA) break;
        if (result != PORT_OK) return result;
    } while (port.transferCount != 0);
    return PORT_OK;
}

int ReadByteTimed(SerialPort& port, int timeoutMs) {
    // A byte already waiting is returned at once, without the idle hook or the clock.
    const int first = port.ReadByte();
    if (first != PORT_ERR_NO_DATA) return first;
    const Clock::time_point start = Clock::now();
    for (bool tried = true;; tried = false) {
        if (!tried) {
            const int byte = port.ReadByte();
            if (byte != PORT_ERR_NO_DATA) return byte;
        }
        const IdleHook hook = GetIdleHook();
        if (hook) {
            if (const int error = hook(port); error != 0) return port.Fail(error);
        }
        int wait = -1;
        if (timeoutMs != -1) {
            const long long remaining = timeoutMs - elapsedMs(start);
            if (remaining <= 0) return PORT_ERR_NO_DATA;
            wait = static_cast<int>(remaining);
        }
        if (hook) wait = wait == -1 ? kIdleSliceMs : std::min(wait, kIdleSliceMs);
        if (const int error = port.WaitForInput(wait); error != 0) return error;
    }
}

int WaitMs(SerialPort& port, int milliseconds) {
    const Clock::time_point start = Clock::now();
    const Clock::time_point end = start + std::chrono::milliseconds(milliseconds);
    const IdleHook hook = GetIdleHook();
    if (!hook) {
        std::this_thread::sleep_until(end);
        return PORT_OK;
    }
    for (;;) {
        if (const int error = hook(port); error != 0) return error;
        const Clock::time_point now = Clock::now();
        if (now >= end) return PORT_OK;
        std::this_thread::sleep_for(
            std::min<Clock::duration>(end - now, std::chrono::milliseconds(kIdleSliceMs)));
    }
}

}  // namespace flowcfg
