#pragma once

#include <string>

namespace flowcfg {

// Every result code of the path to the instrument, in one place. 0 is success in every layer;
// each layer has a range of its own, so a code tells where a failure came from.
namespace linkresult {

inline constexpr int kOk = 0;

// InstrumentLink: an exchange asked for while another runs, and a request that cannot be built.
inline constexpr int kBusy = -1;
inline constexpr int kBuildFailed = 1;

// JBusCodec: the reply checked against the request, and a request frame over 255 bytes.
inline constexpr int kWrongSlave = 101;
inline constexpr int kWrongFunction = 102;
inline constexpr int kWrongLength = 103;
inline constexpr int kRequestTooLong = 104;
// An exception reply: kExceptionBase + the reply's exception code. Instruments answer codes 1 ...
// 11; a code above 50 would reach the frame's and the serial link's own numbers (201 ...), so
// only 150 ... 200 read as exceptions.
inline constexpr int kExceptionBase = 150;
inline constexpr int kExceptionLast = kExceptionBase + 50;

// JBusFrame: a received frame taken apart.
inline constexpr int kBadCrc = 201;
inline constexpr int kTooShort = 202;

// SerialLink: receive and open.
inline constexpr int kNoAnswer = 251;
inline constexpr int kModemNotConnected = 252;
inline constexpr int kOpenFailed = 253;

// BlockExchange: the line of a run of parameter exchanges could not be opened (port or modem).
inline constexpr int kCannotOpen = 500;

// SerialChannel: purging the line.
inline constexpr int kPurgeOutputFailed = 503;
inline constexpr int kPurgeInputFailed = 504;

// The exception codes the instrument answers with.
inline constexpr int kIllegalFunction = 1;
inline constexpr int kIllegalDataAddress = 2;
inline constexpr int kIllegalDataValue = 3;

// The result of an exception reply with `exceptionCode`.
constexpr int exception(int exceptionCode) {
    return kExceptionBase + exceptionCode;
}
constexpr bool isException(int result) {
    return result >= kExceptionBase && result <= kExceptionLast;
}

}  // namespace linkresult

// The serial port library's codes: 0 success, negative errors (stored in the port's status).
// PORT_ERR_GENERAL shares -1 with linkresult::kBusy; the two never leave the same call.
inline constexpr int PORT_OK = 0;
inline constexpr int PORT_ERR_GENERAL = -1;
inline constexpr int PORT_ERR_BAD_PORT = -2;
inline constexpr int PORT_ERR_IN_USE = -3;
inline constexpr int PORT_ERR_NO_MEMORY = -5;
inline constexpr int PORT_ERR_NO_DATA = -8;
inline constexpr int PORT_ERR_TX_FULL = -9;
inline constexpr int PORT_ERR_NOT_FOUND = -14;
inline constexpr int PORT_ERR_UNSUPPORTED = -24;
inline constexpr int PORT_ERR_BAUD = -25;
inline constexpr int PORT_ERR_PARITY = -26;
inline constexpr int PORT_ERR_DATA_BITS = -27;
inline constexpr int PORT_ERR_STOP_BITS = -28;

// A short English phrase for a result code, for logs and the command line: "no answer",
// "bad CRC", "exception 2: illegal data address", "port could not be opened" ... -1 reads as the
// link's busy result. A code no layer gives reads "unknown result".
std::string linkResultText(int code);

}  // namespace flowcfg
