#include "params/VariableTable.h"

#include <algorithm>
#include <cstring>

#include "params/FieldCodec.h"

namespace flowcfg {

VariableTable::VariableTable(int language) : language_(language) {}

void VariableTable::Register(const VariableDescriptor& descriptor) {
    descriptors_.push_back(descriptor);
}

void VariableTable::Register(int tab, int controlId, int flags, int captionText, int kind,
                             int listText, const std::string& initialValue, int unitText,
                             int unitEntry, double low, double high, const std::string& format,
                             int encoding, int offset, int block) {
    Register(VariableDescriptor{tab, controlId, flags, captionText, kind, listText, initialValue,
                                unitText, unitEntry, low, high, format, encoding, offset, block});
}

void VariableTable::Register(int tab, int controlId, int flags, int captionText, int kind,
                             int listText, int initialValue, int unitText, int unitEntry,
                             double low, double high, const std::string& format, int encoding,
                             int offset, int block) {
    Register(tab, controlId, flags, captionText, kind, listText, std::to_string(initialValue),
             unitText, unitEntry, low, high, format, encoding, offset, block);
}

void VariableTable::Register(int controlId, int flags, int captionText, int kind, int listText,
                             const std::string& initialValue, int unitText, int unitEntry,
                             double low, double high, const std::string& format, int encoding,
                             int offset, int block) {
    Register(-1, controlId, flags, captionText, kind, listText, initialValue, unitText, unitEntry,
             low, high, format, encoding, offset, block);
}

void VariableTable::Register(int controlId, int flags, int captionText, int kind, int listText,
                             int initialValue, int unitText, int unitEntry, double low, double high,
                             const std::string& format, int encoding, int offset, int block) {
    Register(-1, controlId, flags, captionText, kind, listText, std::to_string(initialValue),
             unitText, unitEntry, low, high, format, encoding, offset, block);
}

void VariableTable::DeclareRawBlock(int address, int registerCount) {
    rawBlocks_.emplace_back(address, std::max(0, registerCount));
}

void VariableTable::RegisterTab(int tab, int titleText) {
    tabs_.emplace_back(tab, titleText);
}

int VariableTable::TabTitleText(int tab) const {
    for (auto [registered, title] : tabs_)
        if (registered == tab) return title;
    return 0;
}

int VariableTable::Build(FieldControlFactory* factory) {
    factory_ = factory;
    fields_.clear();
    blocks_.clear();
    fieldsByBlock_.clear();
    fields_.reserve(descriptors_.size());
    for (const VariableDescriptor& descriptor : descriptors_) {
        fields_.emplace_back(descriptor, language_);
        if (fields_.back().attach(factory, texts_) != 0) return -1;
    }
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const VariableDescriptor& d = fields_[i].descriptor();
        if (d.block != -1 && d.isCoded()) fieldsByBlock_[d.block].push_back(i);
    }
    buildBlocks();
    if (factory_)
        for (auto [tab, title] : tabs_)
            factory_->setTabTitle(tab, texts_.text(title, language_));
    return 0;
}

void VariableTable::buildBlocks() {
    auto add = [this](int address, int registers, int marker) {
        RegisterBlock block;
        block.address = address;
        block.registerCount = registers;
        block.data.assign(std::size_t(registers) * 2, 0);
        block.variableMarker = marker;
        blocks_.push_back(std::move(block));
    };
    for (std::size_t i = 0; i < descriptors_.size(); ++i) {
        int address = descriptors_[i].block;
        if (address != -1 && !FindBlock(address)) add(address, RegisterCount(address), int(i));
    }
    for (auto [address, registers] : rawBlocks_)
        if (!FindBlock(address)) add(address, registers, -1);
}

BoundField* VariableTable::FindField(int controlId) {
    for (BoundField& field : fields_)
        if (field.controlId() == controlId) return &field;
    return nullptr;
}

int VariableTable::BlockBytes(int address) const {
    int bytes = 0;
    bool described = false;
    for (const VariableDescriptor& d : descriptors_) {
        if (d.block != address) continue;
        described = true;
        if (d.offset >= 0) bytes = std::max(bytes, d.offset + d.width());
    }
    if (!described)
        for (auto [raw, registers] : rawBlocks_)
            if (raw == address) return registers * 2;
    return bytes;
}

int VariableTable::RegisterCount(int address) const {
    return (BlockBytes(address) + 1) / 2;
}

bool VariableTable::isChordBlock(int address) const {
    int h = address - kChordBlock;
    return h >= 0 && h % 16 == 0 && h / 16 < kChordBlocks;
}

void VariableTable::SetChordLayout(int pipes, int chordsA, int chordsB) {
    chordLayoutSet_ = true;
    pipes_ = pipes;
    chordsA_ = chordsA;
    chordsB_ = chordsB;
}

int VariableTable::ChordView(int address) const {
    if (!chordLayoutSet_ || !isChordBlock(address)) return address;
    int h = (address - kChordBlock) / 16;
    if (h < chordsA_) return kPipeAChord + 16 * h;
    if (pipes_ > 1 && h - chordsA_ < chordsB_) return kPipeBChord + 16 * (h - chordsA_);
    return -1;
}

void VariableTable::decodeAt(int address, const std::uint8_t* bytes, std::size_t size) {
    if (RegisterBlock* block = FindBlock(address)) block->data.assign(bytes, bytes + size);
    auto found = fieldsByBlock_.find(address);
    if (found == fieldsByBlock_.end()) return;
    for (std::size_t index : found->second)
        FieldCodec::decode(fields_[index], bytes, size);
}

int VariableTable::Decode(int address, const std::uint8_t* bytes, std::size_t size) {
    if (!bytes) size = 0;
    static const std::uint8_t kNothing = 0;
    if (size == 0) bytes = &kNothing;
    decodeAt(address, bytes, size);
    int view = ChordView(address);
    if (view != address && view != -1) decodeAt(view, bytes, size);
    return 0;
}

int VariableTable::Decode(int address, const std::vector<std::uint8_t>& bytes) {
    return Decode(address, bytes.data(), bytes.size());
}

int VariableTable::Encode(int address, std::vector<std::uint8_t>& buffer, std::size_t size) {
    buffer.assign(size, 0);
    RegisterBlock* own = FindBlock(address);
    if (own && own->isRaw()) {
        std::copy_n(own->data.begin(), std::min(size, own->data.size()), buffer.begin());
        return 0;
    }
    int view = ChordView(address);
    int source = view == -1 ? address : view;  // an unmapped chord block is written as zeros
    auto found = fieldsByBlock_.find(source);
    if (found != fieldsByBlock_.end() && size > 0)
        for (std::size_t index : found->second)
            FieldCodec::encode(fields_[index], buffer.data(), buffer.size());
    if (own) own->data = buffer;
    return 0;
}

int VariableTable::SetGroupIndex(int address, int group) {
    if (group < 0 || group >= kBlockGroupCount) return -1;
    RegisterBlock* block = FindBlock(address);
    if (!block) return -1;
    if (block->groupIndex[std::size_t(group)] >= 0) return block->groupIndex[std::size_t(group)];
    int index = CountGroup(group);
    block->groupIndex[std::size_t(group)] = index;
    return index;
}

void VariableTable::ClearGroup(int group) {
    if (group < 0 || group >= kBlockGroupCount) return;
    for (RegisterBlock& block : blocks_)
        block.groupIndex[std::size_t(group)] = -1;
}

int VariableTable::CountGroup(int group) const {
    if (group < 0 || group >= kBlockGroupCount) return 0;
    return int(std::count_if(blocks_.begin(), blocks_.end(), [group](const RegisterBlock& b) {
        return b.groupIndex[std::size_t(group)] >= 0;
    }));
}

RegisterBlock* VariableTable::BlockAt(int group, int index) {
    if (group < 0 || group >= kBlockGroupCount || index < 0) return nullptr;
    for (RegisterBlock& block : blocks_)
        if (block.groupIndex[std::size_t(group)] == index) return &block;
    return nullptr;
}

RegisterBlock* VariableTable::FindBlock(int address) {
    for (RegisterBlock& block : blocks_)
        if (block.address == address) return &block;
    return nullptr;
}

int VariableTable::StoreFloats(int address, const std::vector<float>& values) {
    RegisterBlock* block = FindBlock(address);
    if (!block) return -1;
    block->data.assign(values.size() * 4, 0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::uint32_t bits;
        std::memcpy(&bits, &values[i], sizeof bits);
        for (int b = 0; b < 4; ++b)
            block->data[i * 4 + std::size_t(b)] = std::uint8_t(bits >> (24 - 8 * b));
    }
    return 0;
}

int VariableTable::SetLanguage(int language) {
    if (language < 1 || language > texts_.languageCount()) return -1;
    language_ = language;
    for (BoundField& field : fields_)
        field.reloadTexts(language, texts_);
    if (factory_)
        for (auto [tab, title] : tabs_)
            factory_->setTabTitle(tab, texts_.text(title, language_));
    return 0;
}

}  // namespace flowcfg
