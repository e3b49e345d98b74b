#pragma once

#include <cstdint>

namespace flowcfg {

// What a serial channel's receive thread reports to: each byte read, each read that timed out or
// failed, and its own end. Called on the receive thread.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // A byte 0 ... 255 was read.
    virtual int OnByte(int byte) = 0;
    // Bytes that were already waiting, handed over in one piece because the sink allowed a run
    // when it asked for the next byte (SerialChannel::RequestBytes): the same as OnByte for each
    // in turn. Never more bytes than the sink allowed.
    virtual void OnBytes(const std::uint8_t* bytes, int count) = 0;
    // No byte came within the byte time-out.
    virtual void OnByteTimeout() = 0;
    // The read failed with a port error other than "no data" (-14: the device went away).
    virtual void OnReadError(int code) = 0;
    // The receive thread is ending: nothing more will be read.
    virtual void OnReceiverStopped() = 0;
};

}  // namespace flowcfg
