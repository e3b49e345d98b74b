#include "link/DeviceSearch.h"

#include <algorithm>

#include "link/PortTable.h"
#include "texts/LanguageTable.h"

namespace flowcfg {
namespace {

// Texts of the language table the search shows.
constexpr int kTextCom = 137;
constexpr int kTextTitle = 184;           // "Autosearch"
constexpr int kTextNotFound = 185;        // "The device did not answer.\nDetection failed!"
constexpr int kTextFound = 186;           // "The device did answer.\nDetection success!"
constexpr int kTextLooking = 460;         // "Looking for the device"
constexpr int kTextInitialization = 510;  // "Initialization"
constexpr int kListLinkSpeeds = 571;      // "300" ... "BlueTooth", "115200"
constexpr int kReadFunction = 3;

}  // namespace

DeviceSearch::DeviceSearch(InstrumentLink& link, int startRegister, int registerCount,
                           int addressByteOffset, int baudLimit, int language)
    : link_(link),
      startRegister_(startRegister),
      registerCount_(registerCount),
      addressByteOffset_(addressByteOffset),
      baudLimit_(std::min(baudLimit, SerialLink::BaudCount())),
      language_(language) {}

std::string DeviceSearch::BaudName(int baudIndex, int language) {
    return LanguageTable().item(kListLinkSpeeds, baudIndex, language);
}

std::string DeviceSearch::TryLine(int port, int baudIndex, int language) {
    std::string line = LanguageTable().text(kTextCom, language) + " " + std::to_string(port) +
                       " - " + BaudName(baudIndex, language);
    // The Bluetooth adapter's entry is a name, not a rate.
    if (baudIndex != SerialLink::kBluetoothIndex) line += " bauds";
    return line;
}

void DeviceSearch::ScanPorts(SearchProgress& progress) {
    available_.fill(false);
    availableCount_ = 0;
    for (int port = PortTable::kFirstPort; port <= PortTable::kLastPort; ++port) {
        progress.Step();
        // Each open closes the port opened before it.
        if (link_.Open(port, 0, 'N', 8, 1) == 0) {
            available_[port] = true;
            ++availableCount_;
        }
    }
}

bool DeviceSearch::TryPort(int port, int baudIndex) {
    if (link_.Open(port, baudIndex, 'N', 8, 1) != 0) return false;
    Bytes data;
    if (link_.Exchange(0, kReadFunction, startRegister_, registerCount_, data, 2) == 0 &&
        addressByteOffset_ >= 0 && static_cast<std::size_t>(addressByteOffset_) < data.size()) {
        foundPort_ = port;
        foundBaudIndex_ = baudIndex;
        foundAddress_ = data[addressByteOffset_];
        return true;
    }
    link_.Close();
    return false;
}

bool DeviceSearch::Run(SearchProgress& progress) {
    foundPort_ = foundBaudIndex_ = foundAddress_ = -1;
    LanguageTable texts;
    progress.SetTitle(texts.text(kTextTitle, language_));
    progress.SetFirstLine(texts.text(kTextInitialization, language_));
    progress.SetRange(PortTable::kLastPort, 1);
    ScanPorts(progress);

    const int tries = std::max(baudLimit_, 0) * availableCount_;
    progress.SetRange(tries, 1);
    progress.SetFirstLine(texts.text(kTextLooking, language_));
    for (int baud = baudLimit_ - 1; baud >= 0 && foundPort_ == -1; --baud) {
        for (int port = PortTable::kFirstPort; port <= PortTable::kLastPort; ++port) {
            if (!available_[port]) continue;
            progress.SetSecondLine(TryLine(port, baud, language_));
            const bool found = TryPort(port, baud);
            progress.Step();
            if (found) break;
        }
    }

    const bool found = foundPort_ != -1;
    progress.SetSecondLine(texts.text(found ? kTextFound : kTextNotFound, language_));
    progress.SetPosition(tries);
    progress.Finished(found, "Ok");
    link_.Close();
    return found;
}

}  // namespace flowcfg
