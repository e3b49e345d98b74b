#include "params/SettingsFile.h"

#include <filesystem>
#include <vector>

#include "acquisition/RecordFile.h"
#include "params/BlockGroup.h"
#include "params/LayoutLine.h"
#include "params/ParameterBlocks.h"

namespace flowcfg {
namespace {

SettingsFile::Status openFile(RecordFile& file, const std::string& path) {
    RecordStatus status = file.open(path, RecordFile::Mode::Read);
    if (status == RecordStatus::CannotOpen) return SettingsFile::Status::CannotOpen;
    if (status != RecordStatus::Ok) return SettingsFile::Status::IncorrectFile;
    return SettingsFile::Status::Ok;
}

// The header's layout line: its first line.
std::string layoutLineOf(const RecordFile& file) {
    const std::string& description = file.header().description;
    return description.substr(0, description.find('\n'));
}

// Group 3 ends with the optional blocks (the profile curves). A file holds them all, or none of
// them when the set has none; an optional block the set lacks is saved with its fields' values.
int requiredBlocks(VariableTable& table) {
    int n = table.CountGroup(kSettingsFileGroup);
    while (n > 0 && table.BlockAt(kSettingsFileGroup, n - 1)->optional)
        --n;
    return n;
}

int savedBlocks(VariableTable& table) {
    const int blocks = table.CountGroup(kSettingsFileGroup);
    for (int i = requiredBlocks(table); i < blocks; ++i)
        if (table.BlockAt(kSettingsFileGroup, i)->present) return blocks;
    return requiredBlocks(table);
}

// Files of earlier versions kept each pipe's profile curve in the pipe's record, after the 62
// registers of the pipe block: 102 registers.
constexpr std::size_t kPipeBytes = 124;
constexpr std::size_t kCurveBytes = 80;

bool isPipe(int address) {
    return address == ParameterBlocks::kPipeA || address == ParameterBlocks::kPipeB;
}

int curveIndex(VariableTable& table, int pipeAddress) {
    const int curve = ParameterBlocks::profile(pipeAddress == ParameterBlocks::kPipeA ? 0 : 1);
    const RegisterBlock* block = table.FindBlock(curve);
    return block ? block->groupIndex[kSettingsFileGroup] : -1;
}

// Whether the file is of that kind: both pipe records have the pipe and the curve, and the set
// has both curves in group 3.
bool holdsCurvesInPipes(RecordFile& file, VariableTable& table) {
    for (int p = 0; p < 2; ++p) {
        const RegisterBlock* pipe = table.FindBlock(ParameterBlocks::pipe(p));
        const int curve = curveIndex(table, ParameterBlocks::pipe(p));
        if (!pipe || curve < 0 || pipe->registerCount * 2 != int(kPipeBytes)) return false;
        const int record = pipe->groupIndex[kSettingsFileGroup];
        std::vector<std::uint8_t> payload;
        if (record < 0 || file.read(record, payload) != RecordStatus::Ok ||
            payload.size() != kPipeBytes + kCurveBytes)
            return false;
    }
    return true;
}

}  // namespace

SettingsFile::Status SettingsFile::ReadLayout(const std::string& path, LayoutOptions& options) {
    RecordFile file;
    if (Status status = openFile(file, path); status != Status::Ok) return status;
    return LayoutLine::Parse(layoutLineOf(file), options) ? Status::Ok : Status::IncorrectFile;
}

SettingsFile::Status SettingsFile::Load(const std::string& path, VariableTable& table,
                                        const std::function<void(int)>& afterStore) {
    RecordFile file;
    if (Status status = openFile(file, path); status != Status::Ok) return status;
    LayoutOptions unused;
    if (!LayoutLine::Parse(layoutLineOf(file), unused)) return Status::IncorrectFile;
    const int blocks = table.CountGroup(kSettingsFileGroup);
    const int required = requiredBlocks(table);
    if (file.indexAll() != RecordStatus::Ok || (file.count() != blocks && file.count() != required))
        return Status::IncorrectFile;
    const bool curvesInPipes = file.count() == required && holdsCurvesInPipes(file, table);
    std::vector<std::vector<std::uint8_t>> payloads(static_cast<std::size_t>(blocks));
    // A block is present when its record is in the file (or, in the older kind, in its pipe's).
    std::vector<bool> present(static_cast<std::size_t>(blocks));
    for (int i = 0; i < file.count(); ++i) {
        const RegisterBlock* block = table.BlockAt(kSettingsFileGroup, i);
        std::vector<std::uint8_t>& payload = payloads[std::size_t(i)];
        if (!block || file.read(i, payload) != RecordStatus::Ok) return Status::IncorrectFile;
        present[std::size_t(i)] = true;
        if (curvesInPipes && isPipe(block->address)) {
            const int curve = curveIndex(table, block->address);
            payloads[std::size_t(curve)].assign(payload.begin() + kPipeBytes, payload.end());
            present[std::size_t(curve)] = true;
            payload.resize(kPipeBytes);
        }
    }
    for (int i = 0; i < blocks; ++i) {
        const RegisterBlock* block = table.BlockAt(kSettingsFileGroup, i);
        if (!block || (present[std::size_t(i)] &&
                       payloads[std::size_t(i)].size() != std::size_t(block->registerCount) * 2))
            return Status::IncorrectFile;
    }
    for (int i = 0; i < blocks; ++i) {
        RegisterBlock* block = table.BlockAt(kSettingsFileGroup, i);
        block->present = present[std::size_t(i)];
        if (!block->present) continue;
        if (block->isRaw())
            block->data = payloads[std::size_t(i)];
        else
            table.Decode(block->address, payloads[std::size_t(i)]);
        if (afterStore) afterStore(block->address);
    }
    return Status::Ok;
}

SettingsFile::Status SettingsFile::Save(const std::string& path, VariableTable& table,
                                        const LayoutOptions& options) {
    const std::string partial = path + ".part";
    std::error_code ignored;
    Status status = Status::Ok;
    {
        RecordFile file;
        RecordStatus created = file.create(partial, LayoutLine::Format(options));
        if (created == RecordStatus::CannotOpen) return Status::CannotOpen;
        if (created != RecordStatus::Ok) status = Status::WriteFailed;
        std::vector<std::uint8_t> bytes;
        for (int i = 0; status == Status::Ok && i < savedBlocks(table); ++i) {
            RegisterBlock* block = table.BlockAt(kSettingsFileGroup, i);
            table.Encode(block->address, bytes, std::size_t(block->registerCount) * 2);
            if (file.append(bytes) != RecordStatus::Ok) status = Status::WriteFailed;
        }
        file.close();
    }
    if (status == Status::Ok) {
        std::filesystem::rename(partial, path, ignored);
        if (ignored) status = Status::WriteFailed;
    }
    if (status != Status::Ok) std::filesystem::remove(partial, ignored);
    return status;
}

}  // namespace flowcfg
