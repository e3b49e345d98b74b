#include "params/SettingsFile.h"

#include <filesystem>
#include <vector>

#include "acquisition/RecordFile.h"
#include "params/BlockGroup.h"
#include "params/LayoutLine.h"

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
    if (file.indexAll() != RecordStatus::Ok || file.count() != blocks) return Status::IncorrectFile;
    std::vector<std::vector<std::uint8_t>> payloads(static_cast<std::size_t>(blocks));
    for (int i = 0; i < blocks; ++i) {
        const RegisterBlock* block = table.BlockAt(kSettingsFileGroup, i);
        if (!block || file.read(i, payloads[std::size_t(i)]) != RecordStatus::Ok ||
            payloads[std::size_t(i)].size() != std::size_t(block->registerCount) * 2)
            return Status::IncorrectFile;
    }
    for (int i = 0; i < blocks; ++i) {
        RegisterBlock* block = table.BlockAt(kSettingsFileGroup, i);
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
        for (int i = 0; status == Status::Ok && i < table.CountGroup(kSettingsFileGroup); ++i) {
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
