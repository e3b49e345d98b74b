#include "params/ParameterExchange.h"

#include <chrono>
#include <thread>

#include "link/LinkResult.h"
#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "params/ParameterTexts.h"
#include "shell/VersionInfo.h"

namespace flowcfg {
namespace {

// Replies that came wrong or not at all, as opposed to an exchange that could not be made.
bool unitDidNotAnswer(int result) {
    using namespace linkresult;
    return result == kNoAnswer || result == kBadCrc || result == kTooShort ||
           (result >= kWrongSlave && result <= kRequestTooLong) || isException(result);
}

// An optional block answered with exception 2: the instrument has no such block.
bool absentFromInstrument(RegisterBlock& block, int result) {
    if (!block.optional || result != linkresult::exception(linkresult::kIllegalDataAddress))
        return false;
    block.present = false;
    return true;
}

}  // namespace

ParameterExchange::ParameterExchange(VariableTable& table, BlockExchange& line,
                                     PageMessages& messages, ProgressView& progress)
    : table_(table), line_(line), messages_(messages), progress_(progress), pause_([](int ms) {
          std::this_thread::sleep_for(std::chrono::milliseconds(ms));
      }) {}

int ParameterExchange::ReadBlock(int address) {
    RegisterBlock* block = table_.FindBlock(address);
    if (!block) return -1;
    Bytes data;
    int result = line_.read(address, block->registerCount, data);
    if (absentFromInstrument(*block, result)) return 0;
    if (result != 0) return result;
    block->present = true;
    if (block->isRaw())
        block->data = data;
    else
        table_.Decode(address, data);
    if (afterRead_) afterRead_(address);
    return 0;
}

int ParameterExchange::WriteBlock(int address) {
    RegisterBlock* block = table_.FindBlock(address);
    if (!block) return -1;
    int registers = block->isRaw() ? block->registerCount : table_.RegisterCount(address);
    Bytes data;
    table_.Encode(address, data, std::size_t(registers) * 2);
    const int result = line_.write(address, data);
    return absentFromInstrument(*block, result) ? 0 : result;
}

int ParameterExchange::openLine(int titleId) {
    if (line_.open() == 0) return 0;
    progress_.hide();
    messages_.showError(paramtext::kCannotOpenPort, titleId);
    return -1;
}

int ParameterExchange::ReadParameterSet() {
    using namespace paramtext;
    const int blocks = table_.CountGroup(kReadGroup);
    progress_.setRange(blocks + 1);
    progress_.step();
    if (openLine(kCaution) != 0) return -1;
    if (ReadBlock(ParameterBlocks::kIdentification) != 0) {
        line_.close();
        progress_.hide();
        messages_.showError(kNoAnswer, kError);
        return -1;
    }
    BoundField* version = table_.FindField(ctl::kIdFirmware);
    firmware_ = version ? version->text() : std::string();
    if (!firmwareCompatible(firmware_)) {
        line_.close();
        progress_.hide();
        messages_.showError(kFirmwareMismatch, kError,
                            " " + firmware_.substr(0, 2) + "\n" + firmware_);
        return -1;
    }
    int status = 0;
    for (int i = 0; i < blocks; ++i) {
        const RegisterBlock* block = table_.BlockAt(kReadGroup, i);
        if (!block || ReadBlock(block->address) != 0) {
            status = -1;
            break;
        }
        progress_.step();
    }
    line_.close();
    progress_.hide();
    progress_.setStatus(messages_.text(kDeviceConnected));
    if (status != 0) messages_.showError(kNoAnswer, kError);
    return status;
}

void ParameterExchange::reportWriteFailure(int result) {
    if (unitDidNotAnswer(result))
        messages_.showError(paramtext::kNoAnswer, paramtext::kError);
    else if (result == linkresult::kCannotOpen)
        messages_.showError(paramtext::kCannotOpenPort, paramtext::kError);
}

int ParameterExchange::WriteGroup(int attempts) {
    attempts = std::max(1, attempts);
    const int blocks = table_.CountGroup(kWriteGroup);
    progress_.setRange(attempts * blocks + 1);
    progress_.step();
    if (openLine(paramtext::kError) != 0) return -1;
    for (int i = 0; i < blocks; ++i) {
        const RegisterBlock* block = table_.BlockAt(kWriteGroup, i);
        int result = -1;
        for (int attempt = 0; block && attempt < attempts; ++attempt) {
            pause_(kWritePauseMs);
            result = WriteBlock(block->address);
            progress_.step();
            if (result == 0) break;
        }
        if (result != 0) {
            line_.close();
            progress_.hide();
            reportWriteFailure(result);
            return -1;
        }
    }
    line_.close();
    progress_.hide();
    return 0;
}

}  // namespace flowcfg
