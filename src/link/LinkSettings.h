#pragma once

#include <string>

#include "shell/IniFile.h"

namespace flowcfg {

// The link settings a page holds: read from the current configuration file when the page is
// built and handed to the link for each exchange. Numbers are stored as "%f" text and read back
// as reals; list positions are stored, so "Port" 0 is COM1 and "Use modem" 0 means yes.
struct LinkSettings {
    static constexpr const char* kComSection = "Com";
    static constexpr const char* kPortKey = "Port";
    static constexpr const char* kBaudsKey = "Bauds";
    static constexpr const char* kSlaveKey = "JBus";
    static constexpr const char* kModemSection = "Modem";
    static constexpr const char* kUseModemKey = "Use modem";
    static constexpr const char* kDialingKey = "Numerotation";
    static constexpr const char* kInitStringKey = "Initalisation string";
    static constexpr const char* kPhoneNumberKey = "Telefon number";
    static constexpr const char* kHangUpStringKey = "Desconnect string";
    static constexpr const char* kModemAllowanceKey = "Time out bevor answer";

    static constexpr int kDefaultBaudIndex = 5;  // 9600 baud
    static constexpr int kDefaultSlave = 1;
    static constexpr int kAnswerTimeoutMs = 1000;
    static constexpr int kLongAnswerTimeoutMs = 2500;  // parameter writes
    static constexpr int kDefaultModemAllowanceMs = 500;
    static constexpr const char* kDefaultInitString = "&F S95=0 E0 Q0 V1 W2 &K0 M0";
    static constexpr const char* kDefaultHangUpString = "H0";

    int portNumber = 1;  // COM number, 1-based
    int baudIndex = kDefaultBaudIndex;
    int slaveAddress = kDefaultSlave;
    bool useModem = false;
    int dialingMethod = 0;  // 0 tone, otherwise pulse
    std::string initString = kDefaultInitString;
    std::string phoneNumber;
    std::string hangUpString = kDefaultHangUpString;
    int modemAllowanceMs = kDefaultModemAllowanceMs;  // added to the answer time-outs with a modem

    // Time allowed for the first byte of an answer; the modem allowance is added on modem links.
    int answerTimeoutMs() const;
    // The same for parameter writes.
    int longAnswerTimeoutMs() const;

    // The settings of `config`, each missing key giving its default.
    static LinkSettings Load(const IniFile& config);
    // Writes every setting back under its key; 0, or -1 when the file cannot be written.
    int Save(const IniFile& config) const;
};

}  // namespace flowcfg
