#include "link/SerialPort.h"

#include <cstdlib>
#include <mutex>
#include <new>

#include "link/PortDriverState.h"

namespace flowcfg {
namespace {

int unsupported(SerialPort& port) {
    return port.Fail(PORT_ERR_UNSUPPORTED);
}
int unsupportedInt(SerialPort& port, int) {
    return port.Fail(PORT_ERR_UNSUPPORTED);
}
int unsupportedParameters(SerialPort& port, long, char, int, int) {
    return port.Fail(PORT_ERR_UNSUPPORTED);
}
int unsupportedWrite(SerialPort& port, const std::uint8_t*, int) {
    return port.Fail(PORT_ERR_UNSUPPORTED);
}
int unsupportedRead(SerialPort& port, std::uint8_t*, int) {
    return port.Fail(PORT_ERR_UNSUPPORTED);
}

int defaultClose(SerialPort& port) {
    port.Unlink();
    SerialPort::Release(&port);
    return PORT_OK;
}

int defaultDump(SerialPort& port, const LineOutput& output) {
    if (output) {
        output("Port dump not supported for this driver");
        output("");
    }
    return port.Fail(PORT_ERR_UNSUPPORTED);
}

int defaultClearStatus(SerialPort& port) {
    port.status = PORT_OK;
    return PORT_OK;
}

// The process-wide list of port objects, newest first.
std::mutex& listMutex() {
    static std::mutex mutex;
    return mutex;
}
SerialPort* listHead = nullptr;
int listLength = 0;
bool exitHandlerRegistered = false;

void closeAllAtExit() {
    SerialPort::CloseAll();
}

}  // namespace

PortOperations PortOperations::Defaults() {
    PortOperations ops{};
    ops.ReadByte = unsupported;
    ops.Reserved1 = unsupported;
    ops.WriteByte = unsupportedInt;
    ops.Close = defaultClose;
    ops.SetParameters = unsupportedParameters;
    ops.SetXonXoff = unsupportedInt;
    ops.SetRtsCts = unsupportedInt;
    ops.SetDtrDsr = unsupportedInt;
    ops.SetDtr = unsupportedInt;
    ops.SetRts = unsupportedInt;
    ops.TxFree = unsupported;
    ops.TxCount = unsupported;
    ops.RxFree = unsupported;
    ops.RxCount = unsupported;
    ops.ClearTxBuffer = unsupported;
    ops.WriteBuffer = unsupportedWrite;
    ops.ReadBuffer = unsupportedRead;
    ops.DumpState = defaultDump;
    ops.SendBreak = unsupportedInt;
    ops.ModemStatus = unsupported;
    ops.LineStatus = unsupported;
    ops.ClearErrors = unsupported;
    ops.Reserved2 = unsupported;
    ops.ClearStatus = defaultClearStatus;
    ops.WaitForInput = unsupportedInt;
    return ops;
}

SerialPort::~SerialPort() = default;

SerialPort* SerialPort::Create() {
    SerialPort* port = new (std::nothrow) SerialPort();
    if (!port) return nullptr;
    std::lock_guard lock(listMutex());
    if (!exitHandlerRegistered) {
        std::atexit(closeAllAtExit);
        exitHandlerRegistered = true;
    }
    port->next = listHead;
    port->listed_ = true;
    listHead = port;
    ++listLength;
    return port;
}

SerialPort* SerialPort::Fallback() {
    static SerialPort* fallback = [] {
        static SerialPort object;
        object.status = PORT_ERR_NO_MEMORY;
        object.portIndex = -1;
        object.driverType = kDriverNone;
        return &object;
    }();
    return fallback;
}

void SerialPort::Unlink() {
    std::lock_guard lock(listMutex());
    if (!listed_) return;
    for (SerialPort** link = &listHead; *link; link = &(*link)->next) {
        if (*link == this) {
            *link = next;
            break;
        }
    }
    next = nullptr;
    listed_ = false;
    --listLength;
}

void SerialPort::Release(SerialPort* port) {
    if (port && !port->IsFallback()) delete port;
}

void SerialPort::CloseAll() {
    for (;;) {
        SerialPort* head = nullptr;
        {
            std::lock_guard lock(listMutex());
            head = listHead;
            if (!head) return;
            listHead = head->next;
            head->next = nullptr;
            head->listed_ = false;
            --listLength;
        }
        head->Close();
    }
}

int SerialPort::ListedCount() {
    std::lock_guard lock(listMutex());
    return listLength;
}

}  // namespace flowcfg
