#pragma once

namespace flowcfg {

// What a serial channel's receive thread reports to: each byte read, each read that timed out or
// failed, and its own end. Called on the receive thread.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // A byte 0 ... 255 was read.
    virtual int OnByte(int byte) = 0;
    // No byte came within the byte time-out.
    virtual void OnByteTimeout() = 0;
    // The read failed with a port error other than "no data" (-14: the device went away).
    virtual void OnReadError(int code) = 0;
    // The receive thread is ending: nothing more will be read.
    virtual void OnReceiverStopped() = 0;
};

}  // namespace flowcfg
