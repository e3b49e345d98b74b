#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "link/LinkResult.h"

namespace flowcfg {

class SerialPort;
struct PortDriverState;

// Receives the status dump one line at a time.
using LineOutput = std::function<void(const std::string&)>;

// The operations of a port, in table order. A fresh port has every entry set to a default that
// reports the operation as unsupported (-24); a driver replaces the entries it implements.
struct PortOperations {
    int (*ReadByte)(SerialPort&);
    int (*Reserved1)(SerialPort&);
    int (*WriteByte)(SerialPort&, int byte);
    int (*Close)(SerialPort&);
    int (*SetParameters)(SerialPort&, long baud, char parity, int dataBits, int stopBits);
    int (*SetXonXoff)(SerialPort&, int on);
    int (*SetRtsCts)(SerialPort&, int on);
    int (*SetDtrDsr)(SerialPort&, int on);
    int (*SetDtr)(SerialPort&, int on);
    int (*SetRts)(SerialPort&, int on);
    int (*TxFree)(SerialPort&);
    int (*TxCount)(SerialPort&);
    int (*RxFree)(SerialPort&);
    int (*RxCount)(SerialPort&);
    int (*ClearTxBuffer)(SerialPort&);
    int (*WriteBuffer)(SerialPort&, const std::uint8_t* buffer, int length);
    int (*ReadBuffer)(SerialPort&, std::uint8_t* buffer, int length);
    int (*DumpState)(SerialPort&, const LineOutput& output);
    int (*SendBreak)(SerialPort&, int milliseconds);
    int (*ModemStatus)(SerialPort&);
    int (*LineStatus)(SerialPort&);
    int (*ClearErrors)(SerialPort&);
    int (*Reserved2)(SerialPort&);
    int (*ClearStatus)(SerialPort&);
    // Blocks until input is waiting, the device goes away or `milliseconds` pass (-1: no
    // limit). 0, or the error that ended the wait. Reads stay non-blocking; this is the one
    // place a port waits.
    int (*WaitForInput)(SerialPort&, int milliseconds);

    // Every entry set to its unsupported default.
    static PortOperations Defaults();
};

// One port object. It is in the process-wide list of ports from its creation to its Close, and
// every port still listed is closed when the process exits. Close releases the device and frees
// the object: the pointer is not to be used afterwards.
class SerialPort {
public:
    static constexpr int kDriverNone = -1;
    static constexpr int kDriverSystem = 15;  // the system's serial driver (termios)

    // A port with the default operations, linked into the process-wide list.
    static SerialPort* Create();
    // The object handed out when memory runs short: status -5, every operation unsupported,
    // never freed and never listed.
    static SerialPort* Fallback();
    bool IsFallback() const { return this == Fallback(); }

    int ReadByte() { return ops.ReadByte(*this); }
    int WriteByte(int byte) { return ops.WriteByte(*this, byte); }
    int Close() { return ops.Close(*this); }
    int SetParameters(long baud, char parity, int dataBits, int stopBits) {
        return ops.SetParameters(*this, baud, parity, dataBits, stopBits);
    }
    int SetXonXoff(int on) { return ops.SetXonXoff(*this, on); }
    int SetRtsCts(int on) { return ops.SetRtsCts(*this, on); }
    int SetDtrDsr(int on) { return ops.SetDtrDsr(*this, on); }
    int SetDtr(int on) { return ops.SetDtr(*this, on); }
    int SetRts(int on) { return ops.SetRts(*this, on); }
    int TxFree() { return ops.TxFree(*this); }
    int TxCount() { return ops.TxCount(*this); }
    int RxFree() { return ops.RxFree(*this); }
    int RxCount() { return ops.RxCount(*this); }
    int ClearTxBuffer() { return ops.ClearTxBuffer(*this); }
    int WriteBuffer(const std::uint8_t* buffer, int length) {
        return ops.WriteBuffer(*this, buffer, length);
    }
    int ReadBuffer(std::uint8_t* buffer, int length) {
        return ops.ReadBuffer(*this, buffer, length);
    }
    int DumpState(const LineOutput& output) { return ops.DumpState(*this, output); }
    int SendBreak(int milliseconds) { return ops.SendBreak(*this, milliseconds); }
    int ModemStatus() { return ops.ModemStatus(*this); }
    int LineStatus() { return ops.LineStatus(*this); }
    int ClearErrors() { return ops.ClearErrors(*this); }
    int ClearStatus() { return ops.ClearStatus(*this); }
    int WaitForInput(int milliseconds) { return ops.WaitForInput(*this, milliseconds); }

    // Stores `code` as the status and returns it.
    int Fail(int code) {
        status = code;
        return code;
    }
    // Takes the port out of the process-wide list (a no-op when it is not listed).
    void Unlink();
    // Frees the object unless it is the fallback one. Used by the Close operations.
    static void Release(SerialPort* port);
    // Closes every port still listed; runs at process exit.
    static void CloseAll();
    // The number of listed ports (for diagnostics and tests).
    static int ListedCount();

    std::unique_ptr<PortDriverState> driver;  // null on the fallback object
    SerialPort* next = nullptr;               // process-wide list
    int portIndex = -1;                       // 0-based: COM1 is 0
    std::atomic<int> status{0};
    int driverType = kDriverNone;
    int reserved1 = 0;
    std::atomic<int> transferCount{0};  // bytes moved by the last ReadBuffer or WriteBuffer
    PortOperations ops = PortOperations::Defaults();
    int reserved2 = 0;

    ~SerialPort();

private:
    SerialPort() = default;
    bool listed_ = false;
};

}  // namespace flowcfg
