#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "params/BlockGroup.h"
#include "params/BoundField.h"
#include "params/FieldControlFactory.h"
#include "params/RegisterBlock.h"
#include "params/VariableDescriptor.h"
#include "texts/LanguageTable.h"

namespace flowcfg {

// A page's whole model of the instrument: the values it shows, their controls, the register
// blocks they lie in, and the decoding and encoding between the two. The page registers one
// descriptor per value when it is built; Build then makes the fields (with controls when the
// page has a window) and the block list. The table never talks to the instrument: pages
// exchange whole blocks through the link and hand the bytes over.
class VariableTable {
public:
    // Chord blocks 0x1100 + 16·h (h = 0 ... 8) and the views of pipe A and B chords onto them.
    static constexpr int kChordBlock = 0x1100;
    static constexpr int kChordBlocks = 9;
    static constexpr int kPipeAChord = 0x10100;
    static constexpr int kPipeBChord = 0x10200;

    explicit VariableTable(int language = LanguageTable::French);

    // The four forms of registration: on the page itself or on tab page `tab`, with the initial
    // value as text or as an integer (shown with "%d").
    void Register(int controlId, int flags, int captionText, int kind, int listText,
                  const std::string& initialValue, int unitText, int unitEntry, double low,
                  double high, const std::string& format, int encoding, int offset, int block);
    void Register(int controlId, int flags, int captionText, int kind, int listText,
                  int initialValue, int unitText, int unitEntry, double low, double high,
                  const std::string& format, int encoding, int offset, int block);
    void Register(int tab, int controlId, int flags, int captionText, int kind, int listText,
                  const std::string& initialValue, int unitText, int unitEntry, double low,
                  double high, const std::string& format, int encoding, int offset, int block);
    void Register(int tab, int controlId, int flags, int captionText, int kind, int listText,
                  int initialValue, int unitText, int unitEntry, double low, double high,
                  const std::string& format, int encoding, int offset, int block);
    void Register(const VariableDescriptor& descriptor);
    // A block read and written as raw bytes only, without variables.
    void DeclareRawBlock(int address, int registerCount);
    // The title text of a tab page, set by Build and SetLanguage through the factory.
    void RegisterTab(int tab, int titleText);
    // The title text of tab page `tab`; 0 when none was registered.
    int TabTitleText(int tab) const;
    const std::vector<VariableDescriptor>& descriptors() const { return descriptors_; }

    // Makes the fields in registration order, with their controls when `factory` is given (the
    // page has a window), then the block list. A control that cannot be created stops the build
    // with -1; the fields built so far stay. The factory must outlive the fields.
    int Build(FieldControlFactory* factory);

    // The first field, in registration order, with that control id; nullptr when none.
    BoundField* FindField(int controlId);
    std::vector<BoundField>& fields() { return fields_; }

    // The block size rule: the largest offset + width over the block's variables; the register
    // count is (bytes + 1) / 2. Raw blocks have their declared size.
    int BlockBytes(int address) const;
    int RegisterCount(int address) const;

    // Stores received bytes as the block's data and sets every coded variable of the block
    // from them (chord blocks through the chord mapping). 0.
    int Decode(int address, const std::uint8_t* bytes, std::size_t size);
    int Decode(int address, const std::vector<std::uint8_t>& bytes);
    // Sizes `buffer` to `size` zero bytes and writes every coded variable of the block into it
    // (chord blocks through the chord mapping; raw blocks copy their stored bytes). 0.
    int Encode(int address, std::vector<std::uint8_t>& buffer, std::size_t size);

    // The number of pipes and the chords of pipes A and B that map the instrument's chord
    // blocks onto the pipes' chord views. Until it is set chord blocks are decoded as they are.
    void SetChordLayout(int pipes, int chordsA, int chordsB);
    // The view a chord block maps to, its own address when there is no mapping, or -1 when the
    // chord block maps to no chord.
    int ChordView(int address) const;

    // Block groups: SetGroupIndex appends the block to the group (index = blocks already in it;
    // a block already in the group keeps its place); -1 when there is no such block.
    int SetGroupIndex(int address, int group);
    void ClearGroup(int group);
    int CountGroup(int group) const;
    RegisterBlock* BlockAt(int group, int index);
    RegisterBlock* FindBlock(int address);
    const std::vector<RegisterBlock>& blocks() const { return blocks_; }

    // Replaces a block's data by IEEE singles, big-endian, four bytes each. -1 without block.
    int StoreFloats(int address, const std::vector<float>& values);

    // Re-loads every caption, unit, list and tab title; -1 for a language the text table does
    // not have.
    int SetLanguage(int language);
    int language() const { return language_; }

private:
    void buildBlocks();
    bool isChordBlock(int address) const;
    void decodeAt(int address, const std::uint8_t* bytes, std::size_t size);

    int language_;
    LanguageTable texts_;
    FieldControlFactory* factory_ = nullptr;
    std::vector<VariableDescriptor> descriptors_;
    std::vector<std::pair<int, int>> rawBlocks_;  // address, register count
    std::vector<std::pair<int, int>> tabs_;       // tab, title text
    std::vector<BoundField> fields_;
    std::vector<RegisterBlock> blocks_;
    std::unordered_map<int, std::vector<std::size_t>> fieldsByBlock_;
    bool chordLayoutSet_ = false;
    int pipes_ = 1, chordsA_ = 0, chordsB_ = 0;
};

}  // namespace flowcfg
