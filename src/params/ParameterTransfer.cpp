#include "params/ParameterTransfer.h"

#include <cstdio>
#include <ctime>

#include "params/InstrumentDate.h"
#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "params/ParameterTexts.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

using B = ParameterBlocks;

// Puts group 1 back to the whole parameter set when the transfer ends, however it ends.
class ReadGroupRestorer {
public:
    explicit ReadGroupRestorer(VariableTable& table) : table_(table) {}
    ~ReadGroupRestorer() {
        table_.ClearGroup(kReadGroup);
        for (int address : kParameterSetOrder)
            table_.SetGroupIndex(address, kReadGroup);
    }
    ReadGroupRestorer(const ReadGroupRestorer&) = delete;
    ReadGroupRestorer& operator=(const ReadGroupRestorer&) = delete;

private:
    VariableTable& table_;
};

InstrumentDate localNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return InstrumentDate::normalized(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                      local.tm_hour, local.tm_min, local.tm_sec);
}

}  // namespace

ParameterTransfer::ParameterTransfer(VariableTable& table, const LayoutOptions& options,
                                     PageMessages& messages, ParameterExchange& exchange,
                                     Flags flags)
    : table_(table), options_(options), messages_(messages), exchange_(exchange), flags_(flags) {}

int ParameterTransfer::field(int controlId) {
    BoundField* f = table_.FindField(controlId);
    return f ? int(f->integer()) : 0;
}

bool ParameterTransfer::typeMatches() {
    const int instrument = field(ctl::kInstrumentType);
    if (instrument == options_.instrumentType) return true;
    using namespace paramtext;
    std::string message;
    const std::string parts[4] = {
        messages_.text(kDeviceConnected), messages_.item(textid::kListInstrumentType, instrument),
        messages_.text(kFile),
        messages_.item(textid::kListInstrumentType, options_.instrumentType)};
    std::vector<char> text(64 + parts[0].size() + parts[1].size() + parts[2].size() +
                           parts[3].size());
    std::snprintf(text.data(), text.size(), "%s=%s\n%s=%s", parts[0].c_str(), parts[1].c_str(),
                  parts[2].c_str(), parts[3].c_str());
    messages_.showText(text.data(), kCaution);
    return false;
}

bool ParameterTransfer::modulesMatch(const Bytes& own) {
    differing_.clear();
    std::string slots;
    for (int k = 0; k < B::kModules; ++k) {
        std::size_t at = std::size_t(2 * k);
        int ownWord = at + 1 < own.size() ? own[at] << 8 | own[at + 1] : 0;
        if (field(ctl::installedModule(k)) == ownWord) continue;
        differing_.push_back(k + 1);
        slots += std::to_string(k + 1) + " ";
    }
    if (differing_.empty()) return true;
    messages_.showText(messages_.text(paramtext::kModulesPrefix) + slots +
                           messages_.text(paramtext::kModulesSuffix),
                       paramtext::kCaution);
    return false;
}

// -1 when no question was asked, otherwise 1 for Yes and 0 for No.
int ParameterTransfer::askLogger() {
    if (!options_.loggerShown()) return -1;
    const bool differs = field(ctl::kDeviceLoggerMode) != field(ctl::kLoggerMode) ||
                         field(ctl::kDeviceLoggerCount) != field(ctl::kLoggerCount);
    if (!differs || field(ctl::kResetLogger) == 1) return -1;
    return messages_.askYesNo(paramtext::kLoggerMismatch, paramtext::kCaution) ? 1 : 0;
}

void ParameterTransfer::buildWriteGroup(bool modules, int loggerAnswer) {
    table_.ClearGroup(kWriteGroup);
    auto add = [this](int address) { table_.SetGroupIndex(address, kWriteGroup); };
    if (field(ctl::kSynchronise) == 0 || flags_.synchronise) {
        if (BoundField* clock = table_.FindField(ctl::kClock)) clock->setDate(localNow());
        add(B::kClock);
    }
    if (loggerAnswer != 0) add(B::kLogger);
    for (int address : {B::kTotalizers, B::kGeneral, B::kPipeA, B::kPipeB})
        add(address);
    for (int p = 0; p < 2; ++p) {
        const RegisterBlock* curve = table_.FindBlock(B::profile(p));
        if (curve && curve->present) add(curve->address);
    }
    for (int h = 0; h < B::kChords; ++h)
        add(B::chord(h));
    add(B::kProbeSets);
    if (options_.functionsShown()) {
        add(B::kFunctions);
        add(B::kFunctionParameters);
    }
    if (modules)
        for (int k = 0; k < B::kModules; ++k)
            add(B::module(k));
    add(B::kTotalizerReset);
    if (field(ctl::kResetLogger) == 1 || flags_.resetLogger || loggerAnswer == 1) {
        if (BoundField* reset = table_.FindField(ctl::kResetLogger)) reset->setInteger(1);
        add(B::kLoggerReset);
    }
    add(B::kEndMarker);
}

int ParameterTransfer::TransferToInstrument() {
    // The set's own module list and identity, as its fields hold them (a new set has the
    // modules of its layout).
    if (!table_.FindBlock(B::kModuleList) || !table_.FindBlock(B::kIdentity)) return kFailed;
    Bytes ownModules, ownIdentity;
    table_.Encode(B::kModuleList, ownModules,
                  std::size_t(table_.RegisterCount(B::kModuleList)) * 2);
    table_.Encode(B::kIdentity, ownIdentity, std::size_t(table_.RegisterCount(B::kIdentity)) * 2);
    bool typeOk = false, modulesOk = true;
    {
        ReadGroupRestorer restorer(table_);
        table_.ClearGroup(kReadGroup);
        for (int address : {B::kLoggerView, B::kIdentity, B::kModuleList})
            table_.SetGroupIndex(address, kReadGroup);
        const int read = exchange_.ReadParameterSet();
        if (read == 0) {
            typeOk = typeMatches();
            if (typeOk && options_.inputsOutputsShown()) modulesOk = modulesMatch(ownModules);
        }
        table_.Decode(B::kModuleList, ownModules);
        table_.Decode(B::kIdentity, ownIdentity);
        if (read != 0) return kFailed;
    }
    if (!typeOk) return kRefused;
    const int loggerAnswer = askLogger();
    buildWriteGroup(modulesOk, loggerAnswer);
    if (!flags_.noConfirmation &&
        !messages_.askYesNo(paramtext::kTransferQuestion, paramtext::kCaution))
        return kDeclined;
    return exchange_.WriteGroup(1) == 0 ? kWritten : kFailed;
}

}  // namespace flowcfg
