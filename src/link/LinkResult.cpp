#include "link/LinkResult.h"

namespace flowcfg {
namespace {

// The standard Modbus exception codes.
const char* exceptionName(int code) {
    switch (code) {
        case 1:
            return "illegal function";
        case 2:
            return "illegal data address";
        case 3:
            return "illegal data value";
        case 4:
            return "slave device failure";
        case 5:
            return "acknowledge";
        case 6:
            return "slave device busy";
        case 8:
            return "memory parity error";
        case 10:
            return "gateway path unavailable";
        case 11:
            return "gateway target device failed to respond";
        default:
            return nullptr;
    }
}

}  // namespace

std::string linkResultText(int code) {
    using namespace linkresult;
    if (isException(code)) {
        const int exceptionCode = code - kExceptionBase;
        const char* name = exceptionName(exceptionCode);
        std::string text = "exception " + std::to_string(exceptionCode);
        return name ? text + ": " + name : text;
    }
    switch (code) {
        case kOk:
            return "success";
        case kBusy:
            return "another exchange is running";
        case kBuildFailed:
            return "request could not be built";
        case kWrongSlave:
            return "reply from another slave";
        case kWrongFunction:
            return "reply to another function";
        case kWrongLength:
            return "reply of the wrong length";
        case kRequestTooLong:
            return "request longer than 255 bytes";
        case kBadCrc:
            return "bad CRC";
        case kTooShort:
            return "reply too short";
        case kNoAnswer:
            return "no answer";
        case kModemNotConnected:
            return "no modem connection";
        case kOpenFailed:
            return "port could not be opened";
        case kCannotOpen:
            return "line could not be opened";
        case kPurgeOutputFailed:
            return "output could not be cleared";
        case kPurgeInputFailed:
            return "input could not be drained";
        case PORT_ERR_BAD_PORT:
            return "invalid port";
        case PORT_ERR_IN_USE:
            return "port in use or access denied";
        case PORT_ERR_NO_MEMORY:
            return "out of memory";
        case PORT_ERR_NO_DATA:
            return "nothing received";
        case PORT_ERR_TX_FULL:
            return "transmit queue full";
        case PORT_ERR_NOT_FOUND:
            return "port does not exist";
        case PORT_ERR_UNSUPPORTED:
            return "operation not supported";
        case PORT_ERR_BAUD:
            return "baud rate refused";
        case PORT_ERR_PARITY:
            return "parity refused";
        case PORT_ERR_DATA_BITS:
            return "data bits refused";
        case PORT_ERR_STOP_BITS:
            return "stop bits refused";
        default:
            return "unknown result";
    }
}

}  // namespace flowcfg
