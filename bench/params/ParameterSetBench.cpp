// Decoding and encoding a whole parameter set: the 46 blocks the settings page reads, writes
// and saves, described the way the settings page describes them.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "params/VariableTable.h"

namespace flowcfg {
namespace {

constexpr int kEdit = VariableDescriptor::kEdit;
constexpr int kList = VariableDescriptor::kList;

// Controls that do nothing, for the cost of the table's work with a window.
struct NullControl : FieldControl {
    std::string shown;
    int selection = 0;
    void setText(const std::string& text) override { shown = text; }
    std::string text() const override { return shown; }
    void setVisible(bool) override {}
    void setEnabled(bool) override {}
    int select(int value) override {
        selection = value;
        return 0;
    }
    int selectedValue() const override { return selection; }
};

struct NullFactory : FieldControlFactory {
    std::unique_ptr<FieldControl> createControl(const FieldControlSpec&) override {
        return std::make_unique<NullControl>();
    }
};

class ParameterSet {
public:
    explicit ParameterSet(int flags) : flags_(flags) {
        general();
        pipe(0x1200);
        pipe(0x1400);
        chords();
        words(0x1080, 16, 0, 4);          // totalizers: source, weight, unit ...
        words(0x1040, 3 + 14 * 3, 0, 0);  // logger: period, mode, count, 14 selections
        words(0x0200, 12, 0, 0);          // logger state
        words(0x1030, 1, 0, 0);           // sequencer
        factory();
        probes();
        words(0xD000, 40, 0, 0);  // calculation functions
        words(0x1800, 60, 0, 0);  // function parameters
        table_.DeclareRawBlock(0xE050, 24);
        words(0xD100, 40, 0, 0);
        for (int slot = 0; slot < 24; ++slot)
            words(0x1600 + 16 * slot, 16, 0, 0);
        text(0xF300, 10);
        table_.SetChordLayout(2, 4, 4);
    }

    int build(FieldControlFactory* factory) {
        int result = table_.Build(factory);
        for (const RegisterBlock& block : table_.blocks())
            if (block.address < 0x10000) {
                table_.SetGroupIndex(block.address, kReadGroup);
                received_.push_back(block.data);
                for (std::size_t i = 0; i < received_.back().size(); ++i)
                    received_.back()[i] = std::uint8_t(block.address + i * 7);
            }
        return result;
    }

    // One whole set: every block decoded into its fields, then encoded back.
    std::size_t roundTrip() {
        std::size_t bytes = 0;
        for (int i = 0; i < table_.CountGroup(kReadGroup); ++i) {
            const RegisterBlock* block = table_.BlockAt(kReadGroup, i);
            int address = block->address;
            table_.Decode(address, received_[std::size_t(i)]);
            table_.Encode(address, buffer_, std::size_t(table_.RegisterCount(address)) * 2);
            bytes += buffer_.size();
        }
        return bytes;
    }

    int blockCount() { return table_.CountGroup(kReadGroup); }
    int fieldCount() { return int(table_.fields().size()); }

private:
    void add(int kind, int list, double low, double high, const char* format, int encoding,
             int offset, int block) {
        table_.Register(id_, flags_, 0, kind, list, "0", 0, 0, low, high, format, encoding, offset,
                        block);
        id_ += 3;
    }
    void words(int block, int count, int firstList, int listEvery) {
        for (int i = 0; i < count; ++i) {
            bool list = listEvery && i % listEvery == firstList;
            add(list ? kList : kEdit, list ? 57 : 0, 0, 65535, list ? "%l" : "%0.f", 0x3000, 2 * i,
                block);
        }
    }
    void text(int block, int length) { add(kEdit, 0, 0, length, "%s", 0x500, 0, block); }
    void general() {  // 0x1000, 23 registers
        add(kEdit, 0, 0, 255, "%0.f", 0x3000, 0, 0x1000);
        add(kList, 571, 0, 0, "%l", 0x3000, 2, 0x1000);
        add(kEdit, 0, 0, 255, "%0.f", 0x3000, 4, 0x1000);
        for (int offset = 6; offset <= 14; offset += 2)
            add(kList, 57, 0, 0, "%l", 0x3000, offset, 0x1000);
        text(0x1000, 8);
        table_.Register(id_++, flags_, 0, kEdit, 0, "KV420-P", 0, 0, 0, 8, "%s", 0x500, 16, 0x1000);
        for (int offset = 24; offset <= 30; offset += 2)
            add(kList, 47, 0, 0, "%l", 0x3000, offset, 0x1000);
        add(kEdit, 0, -99999.9, 99999.9, "%0.1f", 0x8000, 32, 0x1000);
        add(kEdit, 0, -99999.9, 99999.9, "%0.1f", 0x8000, 36, 0x1000);
        for (int offset = 40; offset <= 44; offset += 2)
            add(kList, 73, 0, 0, "%l", 0x3000, offset, 0x1000);
    }
    void pipe(int block) {  // 0x1200 / 0x1400, 62 registers
        add(kEdit, 0, 6, 10000, "%0.1f", 0x3000, 0, block);
        for (int layer = 0; layer < 3; ++layer) {
            add(kList, 55, 0, 0, "%l", 0x3000, 2 + 6 * layer, block);
            add(kEdit, 0, 100, 15000, "%0.f", 0x3000, 4 + 6 * layer, block);
            add(kEdit, 0, 0, 600, "%0.2f", 0x3000, 6 + 6 * layer, block);
        }
        for (int offset = 20; offset <= 48; offset += 2)
            add(offset % 6 == 2 ? kList : kEdit, offset % 6 == 2 ? 58 : 0, 0, 9999,
                offset % 6 == 2 ? "%l" : "%0.3f", 0x3000, offset, block);
        for (int offset = 50; offset <= 104; offset += 2)
            add(kEdit, 0, 0, 9.999, "%0.3f", 0x3000, offset, block);
        add(kEdit, 0, -99999.9, 99999.9, "%0.1f", 0x8000, 106, block);
        add(kEdit, 0, -99999.9, 99999.9, "%0.1f", 0x8000, 110, block);
        for (int offset = 114; offset <= 122; offset += 2)
            add(kEdit, 0, -320, 320, "%0.2f", 0x200, offset, block);
    }
    void chords() {  // 0x1100 ... 0x1170, 13 registers, through the pipes' chord views
        for (int h = 0; h < 8; ++h)
            table_.Register(0, VariableDescriptor::kWindowless, 0, 0, 0, "", 0, 0, 0, 26, "%s",
                            0x500, 0, 0x1100 + 16 * h);
        for (int pipe : {VariableTable::kPipeAChord, VariableTable::kPipeBChord})
            for (int k = 0; k < 4; ++k) {
                int block = pipe + 16 * k;
                add(kList, 59, 0, 0, "%l", 0x3000, 0, block);
                add(kList, 59, 0, 0, "%l", 0x3000, 2, block);
                add(kEdit, 0, 20, 60000, "%0.1f", 0x4000, 4, block);
                add(kEdit, 0, 10, 40000, "%0.1f", 0x4000, 8, block);
                add(kEdit, 0, 0, 9999, "%0.3f", 0x3000, 12, block);
                add(kList, 58, 0, 0, "%l", 0x3000, 14, block);
                add(kEdit, 0, 0, 102, "%0.f", 0x3000, 16, block);
                add(kEdit, 0, 0, 102, "%0.f", 0x3000, 18, block);
                add(kEdit, 0, -327.67, 327.67, "%0.2f", 0x200, 20, block);
            }
    }
    void factory() {  // 0xFD00, 22 registers
        for (int offset = 0; offset < 16; offset += 4)
            add(kEdit, 0, 0, 0, "%0.f", 0x4000, offset, 0xFD00);
        add(kList, 65, 0, 0, "%l", 0x3000, 16, 0xFD00);
        add(kList, 68, 0, 0, "%l", 0x3000, 18, 0xFD00);
        add(kList, 74, 0, 0, "%l", 0x3000, 20, 0xFD00);
        table_.Register(id_++, flags_, 0, kEdit, 0, "", 0, 0, 0, 0, "%s", 0xD000, 22, 0xFD00);
        add(kEdit, 0, 0, 9, "%0.f", 0x3000, 42, 0xFD00);
    }
    void probes() {  // 0xE800: T0, angle, frequency and name of sets A and B
        for (int set = 0; set < 2; ++set) {
            int base = 32 * set;
            add(kEdit, 0, 0, 0, "%0.3f", 0x400, base, 0xE800);
            add(kEdit, 0, 0, 90, "%0.2f", 0x3000, base + 4, 0xE800);
            add(kList, 70, 0, 0, "%l", 0x3000, base + 6, 0xE800);
            table_.Register(id_++, flags_, 0, kEdit, 0, "", 0, 0, 0, 16, "%s", 0x500, base + 8,
                            0xE800);
        }
    }

    VariableTable table_{2};
    int flags_;
    int id_ = 1000;
    std::vector<std::vector<std::uint8_t>> received_;
    std::vector<std::uint8_t> buffer_;
};

void roundTrips(benchmark::State& state, FieldControlFactory* factory, int flags) {
    ParameterSet set(flags);
    if (set.build(factory) != 0) state.SkipWithError("build failed");
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes += set.roundTrip();
    benchmark::DoNotOptimize(bytes);
    state.counters["blocks"] = set.blockCount();
    state.counters["fields"] = set.fieldCount();
    state.counters["sets/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(std::int64_t(bytes));
}

void BM_ParameterSetWindowless(benchmark::State& state) {
    roundTrips(state, nullptr, VariableDescriptor::kWindowless);
}

void BM_ParameterSetWithControls(benchmark::State& state) {
    NullFactory factory;
    roundTrips(state, &factory, 0);
}

BENCHMARK(BM_ParameterSetWindowless)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParameterSetWithControls)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace flowcfg
