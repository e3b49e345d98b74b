#include "params/PageFile.h"

#include <filesystem>
#include <vector>

#include "acquisition/RecordFile.h"

namespace flowcfg {

PageFile::Status PageFile::Load(const std::string& path, const std::string& tag,
                                VariableTable& table, const std::function<void(int)>& afterStore) {
    RecordFile file;
    RecordStatus opened = file.open(path, RecordFile::Mode::Read);
    if (opened == RecordStatus::CannotOpen) return Status::CannotOpen;
    if (opened != RecordStatus::Ok || file.header().description != tag)
        return Status::IncorrectFile;
    const int blocks = table.CountGroup(kSettingsFileGroup);
    if (file.indexAll() != RecordStatus::Ok || file.count() != blocks) return Status::IncorrectFile;
    std::vector<std::vector<std::uint8_t>> payloads(static_cast<std::size_t>(blocks));
    for (int i = 0; i < blocks; ++i) {
        const RegisterBlock* block = table.BlockAt(kSettingsFileGroup, i);
        std::vector<std::uint8_t>& payload = payloads[std::size_t(i)];
        if (!block || file.read(i, payload) != RecordStatus::Ok ||
            payload.size() != std::size_t(block->registerCount) * 2)
            return Status::IncorrectFile;
    }
    for (int i = 0; i < blocks; ++i) {
        RegisterBlock* block = table.BlockAt(kSettingsFileGroup, i);
        block->present = true;
        if (block->isRaw())
            block->data = payloads[std::size_t(i)];
        else
            table.Decode(block->address, payloads[std::size_t(i)]);
        if (afterStore) afterStore(block->address);
    }
    return Status::Ok;
}

PageFile::Status PageFile::Save(const std::string& path, const std::string& tag,
                                VariableTable& table) {
    const std::string partial = path + ".part";
    std::error_code ignored;
    Status status = Status::Ok;
    {
        RecordFile file;
        RecordStatus created = file.create(partial, tag);
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
