#include "link/PosixSerialDriver.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <new>

#include "link/PortDriverState.h"
#include "link/PortTable.h"
#include "link/PortUtilities.h"

namespace flowcfg {
namespace {

// Line error bits, as the dump and LineStatus report them.
constexpr unsigned kRxOverflow = 0x01;
constexpr unsigned kOverrun = 0x02;
constexpr unsigned kParity = 0x04;
constexpr unsigned kFraming = 0x08;
constexpr unsigned kBreak = 0x10;
constexpr unsigned kTxFull = 0x100;
constexpr unsigned kMode = 0x8000;

PortDriverState& state(SerialPort& port) {
    return *port.driver;
}

bool lostDeviceError(int errorNumber) {
    return errorNumber == EIO || errorNumber == ENXIO || errorNumber == ENODEV;
}

// Maps errno and remembers when it says the device is gone.
int systemFailure(SerialPort& port, int errorNumber) {
    if (lostDeviceError(errorNumber)) state(port).deviceLost = true;
    return port.Fail(MapSystemError(errorNumber));
}

// Adds the line errors counted by the driver since the last call (when the driver counts them;
// pseudo-terminals do not).
void accumulateErrors(SerialPort& port) {
    PortDriverState& d = state(port);
    if (d.countersUnsupported) return;
    serial_icounter_struct counters{};
    if (::ioctl(d.fd, TIOCGICOUNT, &counters) != 0) {
        if (errno == ENOTTY || errno == EINVAL) d.countersUnsupported = true;
        return;
    }
    const int now[5] = {counters.brk, counters.frame, counters.overrun, counters.parity,
                        counters.buf_overrun};
    constexpr unsigned bits[5] = {kBreak, kFraming, kOverrun, kParity, kRxOverflow};
    std::lock_guard lock(d.countersMutex);
    if (d.countersKnown) {
        for (int i = 0; i < 5; ++i) {
            if (now[i] != d.lastCounters[i]) d.errors |= bits[i];
        }
    }
    std::copy(std::begin(now), std::end(now), d.lastCounters);
    d.countersKnown = true;
}

// Bytes waiting in a queue, or a negative code.
int queueCount(SerialPort& port, unsigned long request) {
    int count = 0;
    if (::ioctl(state(port).fd, request, &count) != 0) return systemFailure(port, errno);
    return std::max(count, 0);
}

int applySettings(SerialPort& port) {
    PortDriverState& d = state(port);
    if (::tcsetattr(d.fd, TCSANOW, &d.settings) != 0) return systemFailure(port, errno);
    return PORT_OK;
}

void setModemLine(SerialPort& port, int line, bool on) {
    ::ioctl(state(port).fd, on ? TIOCMBIS : TIOCMBIC, &line);  // pseudo-terminals refuse: fine
}

speed_t speedFor(long baud) {
    switch (baud) {
        case 50:
            return B50;
        case 75:
            return B75;
        case 110:
            return B110;
        case 134:
            return B134;
        case 150:
            return B150;
        case 200:
            return B200;
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 1800:
            return B1800;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return B0;
    }
}

// Bytes in the receive queue.
int queuedInput(PortDriverState& d) {
    std::lock_guard lock(d.inputMutex);
    return d.inputTail - d.inputHead;
}

int readBuffer(SerialPort& port, std::uint8_t* buffer, int length) {
    PortDriverState& d = state(port);
    accumulateErrors(port);
    std::lock_guard lock(d.inputMutex);
    if (d.inputHead == d.inputTail) {
        // Refill the receive queue with whatever the device holds, in one call.
        d.inputHead = d.inputTail = 0;
        const ssize_t got = ::read(d.fd, d.input, sizeof d.input);
        if (got < 0 && errno != EAGAIN && errno != EINTR) {
            port.transferCount = 0;
            return systemFailure(port, errno);
        }
        d.inputTail = got > 0 ? static_cast<int>(got) : 0;
    }
    const int n = std::min(d.inputTail - d.inputHead, std::max(length, 0));
    port.transferCount = n;
    if (n == 0) return port.Fail(PORT_ERR_NO_DATA);
    std::copy(d.input + d.inputHead, d.input + d.inputHead + n, buffer);
    d.inputHead += n;
    return PORT_OK;
}

int writeBuffer(SerialPort& port, const std::uint8_t* buffer, int length) {
    PortDriverState& d = state(port);
    accumulateErrors(port);
    int queued = 0;
    if (::ioctl(d.fd, TIOCOUTQ, &queued) != 0) queued = 0;
    const int room = std::max(d.txQueueSize - queued, 0);
    const int n = std::min(room, std::max(length, 0));
    port.transferCount = 0;
    if (n > 0) {
        const ssize_t written = ::write(d.fd, buffer, n);
        if (written >= 0) {
            port.transferCount = static_cast<int>(written);
        } else if (lostDeviceError(errno)) {
            d.deviceLost = true;
        }
    }
    if (port.transferCount < length) {
        d.errors |= kTxFull;
        return port.Fail(PORT_ERR_TX_FULL);
    }
    return PORT_OK;
}

int readByte(SerialPort& port) {
    std::uint8_t byte = 0;
    const int result = readBuffer(port, &byte, 1);
    return result == PORT_OK ? byte : result;
}

int writeByte(SerialPort& port, int byte) {
    const std::uint8_t value = static_cast<std::uint8_t>(byte);
    return writeBuffer(port, &value, 1);
}

int closePort(SerialPort& port) {
    PortDriverState& d = state(port);
    int result = PORT_OK;
    if (d.fd >= 0) {
        setModemLine(port, TIOCM_DTR, false);
        setModemLine(port, TIOCM_RTS, false);
        if (::close(d.fd) != 0) result = MapSystemError(errno);
        d.fd = -1;
    }
    port.Unlink();
    SerialPort::Release(&port);
    return result;
}

int setParameters(SerialPort& port, long baud, char parity, int dataBits, int stopBits) {
    PortDriverState& d = state(port);
    if (baud > 115200) return port.Fail(PORT_ERR_BAUD);
    termios t = d.settings;
    t.c_cflag &= ~(PARENB | PARODD | CMSPAR | CSTOPB | CSIZE);
    switch (std::toupper(static_cast<unsigned char>(parity))) {
        case 'E':
            t.c_cflag |= PARENB;
            break;
        case 'M':
            t.c_cflag |= PARENB | PARODD | CMSPAR;
            break;
        case 'N':
            break;
        case 'O':
            t.c_cflag |= PARENB | PARODD;
            break;
        case 'S':
            t.c_cflag |= PARENB | CMSPAR;
            break;
        default:
            return port.Fail(PORT_ERR_PARITY);
    }
    if (stopBits == 2)
        t.c_cflag |= CSTOPB;
    else if (stopBits != 1)
        return port.Fail(PORT_ERR_STOP_BITS);
    switch (dataBits) {
        case 5:
            t.c_cflag |= CS5;
            break;
        case 6:
            t.c_cflag |= CS6;
            break;
        case 7:
            t.c_cflag |= CS7;
            break;
        case 8:
            t.c_cflag |= CS8;
            break;
        default:
            return port.Fail(PORT_ERR_DATA_BITS);
    }
    const speed_t speed = speedFor(baud);
    if (speed == B0 || ::cfsetispeed(&t, speed) != 0 || ::cfsetospeed(&t, speed) != 0)
        return port.Fail(PORT_ERR_BAUD);
    const termios previous = d.settings;
    d.settings = t;
    if (const int result = applySettings(port); result != PORT_OK) {
        d.settings = previous;
        return result;
    }
    d.baud = baud;
    d.parity = static_cast<char>(std::toupper(static_cast<unsigned char>(parity)));
    d.dataBits = dataBits;
    d.stopBits = stopBits;
    return port.status;
}

int setXonXoff(SerialPort& port, int on) {
    termios& t = state(port).settings;
    if (on)
        t.c_iflag |= IXON | IXOFF;
    else
        t.c_iflag &= ~(IXON | IXOFF);
    return applySettings(port);
}

int setRtsCts(SerialPort& port, int on) {
    PortDriverState& d = state(port);
    if (on)
        d.settings.c_cflag |= CRTSCTS;
    else
        d.settings.c_cflag &= ~CRTSCTS;
    d.rtsControl = on ? PortDriverState::kLineHandshake : PortDriverState::kLineDisabled;
    if (!on) setModemLine(port, TIOCM_RTS, false);
    return applySettings(port);
}

// The terminal interface has no DSR handshake: only "off" can be honoured.
int setDtrDsr(SerialPort& port, int on) {
    if (on) return port.Fail(PORT_ERR_UNSUPPORTED);
    state(port).dtrControl = PortDriverState::kLineDisabled;
    setModemLine(port, TIOCM_DTR, false);
    return PORT_OK;
}

int setDtr(SerialPort& port, int on) {
    state(port).dtrControl = on ? PortDriverState::kLineEnabled : PortDriverState::kLineDisabled;
    setModemLine(port, TIOCM_DTR, on != 0);
    return PORT_OK;
}

int setRts(SerialPort& port, int on) {
    state(port).rtsControl = on ? PortDriverState::kLineEnabled : PortDriverState::kLineDisabled;
    setModemLine(port, TIOCM_RTS, on != 0);
    return PORT_OK;
}

int txCount(SerialPort& port) {
    accumulateErrors(port);
    return queueCount(port, TIOCOUTQ);
}

int txFree(SerialPort& port) {
    const int count = txCount(port);
    return count < 0 ? count : std::max(state(port).txQueueSize - count, 0);
}

int rxCount(SerialPort& port) {
    accumulateErrors(port);
    const int waiting = queueCount(port, FIONREAD);
    return waiting < 0 ? waiting : waiting + queuedInput(state(port));
}

int rxFree(SerialPort& port) {
    const int count = rxCount(port);
    return count < 0 ? count : std::max(state(port).rxQueueSize - count, 0);
}

int clearTxBuffer(SerialPort& port) {
    if (::tcflush(state(port).fd, TCOFLUSH) != 0) return systemFailure(port, errno);
    return PORT_OK;
}

int sendBreak(SerialPort& port, int milliseconds) {
    const int fd = state(port).fd;
    ::ioctl(fd, TIOCSBRK);
    WaitMs(port, milliseconds);
    ::ioctl(fd, TIOCCBRK);
    return PORT_OK;
}

int modemStatus(SerialPort& port) {
    int lines = 0;
    if (::ioctl(state(port).fd, TIOCMGET, &lines) != 0) {
        // Pseudo-terminals have no modem lines.
        if (errno == ENOTTY || errno == EINVAL) return 0;
        return systemFailure(port, errno);
    }
    return ((lines & TIOCM_CTS) ? 0x10 : 0) | ((lines & TIOCM_DSR) ? 0x20 : 0) |
           ((lines & TIOCM_RI) ? 0x40 : 0) | ((lines & TIOCM_CD) ? 0x80 : 0);
}

int lineStatus(SerialPort& port) {
    accumulateErrors(port);
    return static_cast<int>(state(port).errors & 0x1E);
}

int clearErrors(SerialPort& port) {
    state(port).errors = 0;
    return PORT_OK;
}

int dumpState(SerialPort& port, const LineOutput& output) {
    PortDriverState& d = state(port);
    const termios& t = d.settings;
    auto bit = [](unsigned value, unsigned mask) { return (value & mask) ? 1 : 0; };
    const int parityCode = d.parity == 'O'   ? 1
                           : d.parity == 'E' ? 2
                           : d.parity == 'M' ? 3
                           : d.parity == 'S' ? 4
                                             : 0;
    const int ctsFlow = (t.c_cflag & CRTSCTS) ? 1 : 0;
    const int outX = (t.c_iflag & IXON) ? 1 : 0;
    const int inX = (t.c_iflag & IXOFF) ? 1 : 0;
    const unsigned limit = static_cast<unsigned>(d.rxQueueSize / 4);
    const int rx = std::max(rxCount(port), 0);
    const int tx = std::max(txCount(port), 0);
    const unsigned line = static_cast<unsigned>(std::max(lineStatus(port), 0));
    const unsigned errors = d.errors;
    const unsigned modem = static_cast<unsigned>(std::max(modemStatus(port), 0));

    char text[200];
    auto emit = [&](int) {
        if (output) output(text);
    };
    if (output) output("");
    emit(std::snprintf(text, sizeof text,
                       "Port type:  POSIX termios  DCB BaudRate: %-6ld  ByteSize: %1d  Parity: %1d",
                       d.baud, d.dataBits, parityCode));
    emit(std::snprintf(text, sizeof text, "StopBits: %1d fBinary: %1d  fRtsControl: %1d",
                       d.stopBits == 2 ? 2 : 0, 1, d.rtsControl));
    emit(std::snprintf(text, sizeof text,
                       "Parity: %1d  OutCtsFlow: %1d  OutDsrFlow: %1d  DtrControl: %1d  OutX: %1d  "
                       "InX: %1d",
                       0, ctsFlow, 0, d.dtrControl, outX, inX));
    emit(std::snprintf(text, sizeof text,
                       "Null: %1d  DtrControl: %1d  RtsControl: %1d  XonChar: %02x  XoffChar: %02x",
                       0, d.dtrControl, d.rtsControl, t.c_cc[VSTART], t.c_cc[VSTOP]));
    emit(std::snprintf(text, sizeof text, "XonLim: %-5u XoffLim: %-5u EofChr: %02x  EvtChr: %02x",
                       limit, limit, 0, 0));
    emit(std::snprintf(text, sizeof text,
                       "RX count/free: %5d/%-5d  TX count/free: %5d/%-5d  BREAK/FE/OE/PE: %d%d%d%d",
                       rx, std::max(d.rxQueueSize - rx, 0), tx, std::max(d.txQueueSize - tx, 0),
                       bit(line, kBreak), bit(line, kFraming), bit(line, kOverrun),
                       bit(line, kParity)));
    emit(std::snprintf(text, sizeof text, "CE_BREAK:%d  CE_FRAME:%d  CE_MODE:%d CE_OVERRUN:%d",
                       bit(errors, kBreak), bit(errors, kFraming), bit(errors, kMode),
                       bit(errors, kOverrun)));
    emit(std::snprintf(text, sizeof text,
                       "CE_RXOVER:%d CE_RXPARITY:%d CE_TXFULL:%d  CTS/DSR/RI/CD: %d%d%d%d",
                       bit(errors, kRxOverflow), bit(errors, kParity), bit(errors, kTxFull),
                       bit(modem, 0x10), bit(modem, 0x20), bit(modem, 0x40), bit(modem, 0x80)));
    emit(std::snprintf(text, sizeof text, "8250:%.4x", static_cast<unsigned>(d.uartImage)));
    return PORT_OK;
}

int waitForInput(SerialPort& port, int milliseconds) {
    PortDriverState& d = state(port);
    if (queuedInput(d) > 0) return PORT_OK;
    pollfd entry{d.fd, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&entry, 1, milliseconds);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) return systemFailure(port, errno);
    if (ready == 0) return PORT_OK;
    if (entry.revents & POLLNVAL) return port.Fail(PORT_ERR_BAD_PORT);
    if (!(entry.revents & (POLLHUP | POLLERR))) return PORT_OK;
    // A hang-up or an error: the device is gone (an unplugged adapter, the other end of a
    // pseudo-terminal closed). What it received before is still read.
    int waiting = 0;
    if (::ioctl(d.fd, FIONREAD, &waiting) == 0 && waiting > 0) return PORT_OK;
    d.deviceLost = true;
    return port.Fail(PORT_ERR_NOT_FOUND);
}

void installDriver(PortOperations& ops) {
    ops.ReadByte = readByte;
    ops.WriteByte = writeByte;
    ops.Close = closePort;
    ops.SetParameters = setParameters;
    ops.SetXonXoff = setXonXoff;
    ops.SetRtsCts = setRtsCts;
    ops.SetDtrDsr = setDtrDsr;
    ops.SetDtr = setDtr;
    ops.SetRts = setRts;
    ops.TxFree = txFree;
    ops.TxCount = txCount;
    ops.RxFree = rxFree;
    ops.RxCount = rxCount;
    ops.ClearTxBuffer = clearTxBuffer;
    ops.WriteBuffer = writeBuffer;
    ops.ReadBuffer = readBuffer;
    ops.DumpState = dumpState;
    ops.SendBreak = sendBreak;
    ops.ModemStatus = modemStatus;
    ops.LineStatus = lineStatus;
    ops.ClearErrors = clearErrors;
    ops.WaitForInput = waitForInput;
}

// A listed port object with its driver state, or the fallback object.
SerialPort* createPort(int portIndex) {
    SerialPort* port = SerialPort::Create();
    if (!port) return SerialPort::Fallback();
    port->driver.reset(new (std::nothrow) PortDriverState());
    if (!port->driver) {
        port->Unlink();
        SerialPort::Release(port);
        return SerialPort::Fallback();
    }
    port->driverType = SerialPort::kDriverSystem;
    port->portIndex = portIndex;
    return port;
}

void openDevice(SerialPort& port, const std::string& path, long baud, char parity, int dataBits,
                int stopBits) {
    PortDriverState& d = state(port);
    d.devicePath = path;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        port.Fail(MapSystemError(errno));
        return;
    }
    // One program at a time on a port: an advisory lock that other serial programs honour too,
    // and the terminal's exclusive mode for the rest.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        port.Fail(PORT_ERR_IN_USE);
        return;
    }
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        const int error = errno;
        ::close(fd);
        port.Fail(MapSystemError(error));
        return;
    }
    ::ioctl(fd, TIOCEXCL);
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~CRTSCTS;
    t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    t.c_cc[VSTART] = 0x11;
    t.c_cc[VSTOP] = 0x13;
    d.settings = t;
    d.fd = fd;
    setModemLine(port, TIOCM_DTR, true);
    setModemLine(port, TIOCM_RTS, true);
    port.status = setParameters(port, baud, parity, dataBits, stopBits);
    installDriver(port.ops);
}

}  // namespace

int MapSystemError(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case EIO:
            return PORT_ERR_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EBUSY:
        case EWOULDBLOCK:
            return PORT_ERR_IN_USE;
        case ENOMEM:
            return PORT_ERR_NO_MEMORY;
        case ENOTTY:
        case EBADF:
            return PORT_ERR_BAD_PORT;
        default:
            return PORT_ERR_GENERAL;
    }
}

SerialPort* OpenPosixDevice(const std::string& path, int portIndex, long baud, char parity,
                            int dataBits, int stopBits) {
    SerialPort* port = createPort(portIndex);
    if (port->IsFallback()) return port;
    if (path.empty()) {
        port->Fail(PORT_ERR_NOT_FOUND);
        return port;
    }
    openDevice(*port, path, baud, parity, dataBits, stopBits);
    return port;
}

SerialPort* OpenPosixPort(int portIndex, long baud, char parity, int dataBits, int stopBits) {
    return OpenPosixDevice(PortTable::InstalledPath(portIndex + 1), portIndex, baud, parity,
                           dataBits, stopBits);
}

}  // namespace flowcfg
