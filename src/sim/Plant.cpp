#include "sim/Plant.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "params/FunctionDefinitions.h"
#include "sim/RegisterLayout.h"

namespace flowcfg {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Mean over the pipe section of a 1/7 power-law profile, relative to the centre velocity.
constexpr double kProfileMeanRatio = 0.8167;

std::int16_t s16(const RegisterMap& m, std::uint16_t a, int offset) {
    return static_cast<std::int16_t>(m.u16(a, offset));
}

}  // namespace

Plant::Plant(std::uint32_t seed) : random_(seed) {}

double Plant::waterSoundSpeed(double t) {
    return 1402.38744 + 5.03836171 * t - 0.0581172916 * t * t + 0.000334638117 * t * t * t -
           1.48259672e-06 * t * t * t * t + 3.1658502e-09 * t * t * t * t * t;
}

double Plant::flowUnitFactor(int unit) {
    static const double kFactors[] = {1.0, 60.0, 3600.0, 0.001, 3.6};
    return unit >= 0 && unit < 5 ? kFactors[unit] : 1.0;
}

double Plant::noise(double sigma) {
    std::normal_distribution<double> n(0.0, sigma);
    return n(random_);
}

void Plant::update(RegisterMap& map, double elapsed) {
    const double dt = lastElapsed_ < 0.0 ? 0.0 : std::max(0.0, elapsed - lastElapsed_);
    lastElapsed_ = elapsed;

    temperature_ = 20.0 + 0.5 * std::sin(2.0 * kPi * elapsed / 1800.0) + noise(0.005);
    soundVelocity_ = waterSoundSpeed(temperature_);

    const int pipes = map.u16(GeneralBlock::kAddress, GeneralBlock::kNumberOfPipes) >= 2 ? 2 : 1;
    const int chordsA = std::clamp<int>(map.u16(PipeBlock::kAddressA, PipeBlock::kNumberOfChords),
                                        1, ChordValuesBlock::kChords);
    const int chordsB = std::clamp<int>(map.u16(PipeBlock::kAddressB, PipeBlock::kNumberOfChords),
                                        1, ChordValuesBlock::kChords);
    updatePath(map, 0, 0, chordsA, elapsed);
    updatePath(map, 1, chordsA, pipes >= 2 ? chordsB : 0, elapsed);

    updateTotalizers(map, dt);
    writeFunctions(map);
    writeInputsOutputs(map);
    writeGeneral(map);
}

void Plant::updatePath(RegisterMap& map, int pipe, int firstChord, int chords, double elapsed) {
    using P = PipeBlock;
    const std::uint16_t pa = pipe == 0 ? P::kAddressA : P::kAddressB;
    const std::uint16_t va = pipe == 0 ? ChordValuesBlock::kAddressA : ChordValuesBlock::kAddressB;
    const std::uint16_t sa = pipe == 0 ? ChordSignalBlock::kAddressA : ChordSignalBlock::kAddressB;
    const std::uint16_t block = pipe == 0 ? PathBlock::kAddressA : PathBlock::kAddressB;

    // Inner diameter from the outside diameter and the wall layers.
    double wall = 0.0;
    for (int k = 0; k < P::kLayers; ++k) {
        wall += map.u16(pa, P::kLayerThickness + P::kLayerBytes * k) / 100.0;
    }
    const double outside = map.u16(pa, P::kExternalDiameter) / 10.0;
    const double diameter = std::max(outside - 2.0 * wall, outside * 0.5) / 1000.0;
    const double area = std::max(kPi * diameter * diameter / 4.0, 1e-6);

    double q = 0.0;
    if (chords > 0) {
        if (map.u16(pa, P::kFunction) == 1) {
            const double jitter = map.u16(pa, P::kJitter) / 100.0;
            std::uniform_real_distribution<double> u(-1.0, 1.0);
            q = s16(map, pa, P::kSimulationFlow) / 100.0 * (1.0 + jitter * u(random_));
        } else {
            const double setPoint = pipe == 0 ? 45.0 : 30.0;
            flowNoise_[pipe] = 0.9 * flowNoise_[pipe] + 0.1 * noise(0.02 * setPoint);
            q = setPoint * (1.0 + 0.08 * std::sin(2.0 * kPi * elapsed / 600.0 + pipe)) +
                flowNoise_[pipe];
        }
        if (std::fabs(q) < map.u16(pa, P::kCutOff) / 100.0) q = 0.0;
    }
    const double v = q / 1000.0 / area;

    double velocitySum = 0.0;
    double soundSum = 0.0;
    for (int j = 0; j < ChordValuesBlock::kChords; ++j) {
        const int ve = ChordValuesBlock::kEntryBytes * j;
        const int se = ChordSignalBlock::kEntryBytes * j;
        const int h = firstChord + j;
        if (j >= chords || h >= ChordBlock::kCount) {
            for (int b = 0; b < ChordValuesBlock::kEntryBytes; ++b)
                map.setU8(va, ve + b, 0);
            for (int b = 0; b < ChordSignalBlock::kEntryBytes; ++b)
                map.setU8(sa, se + b, 0);
            map.setU16(sa, se + ChordSignalBlock::kStatus, 1);
            continue;
        }
        const std::uint16_t ca = ChordBlock::address(h);
        double length = map.u32(ca, ChordBlock::kDistance) / 10000.0;
        if (length <= 0.0) length = 0.4;
        const double axial = map.u32(ca, ChordBlock::kSecondDistance) / 10000.0;
        const double cosine = axial > 0.0 && axial < length ? axial / length : std::sqrt(0.5);

        // Inner chords see a little more than the mean velocity, outer ones a little less.
        const double weight = 1.03 - 0.06 * std::fabs(2.0 * (j + 0.5) / chords - 1.0);
        const double vc = v * weight;
        const double c = soundVelocity_;
        const double up = length / (c - vc * cosine) + noise(0.1e-9);
        const double down = length / (c + vc * cosine) + noise(0.1e-9);
        const double measured = length / (2.0 * cosine) * (1.0 / down - 1.0 / up);
        const double sound = length / 2.0 * (1.0 / up + 1.0 / down);
        velocitySum += measured;
        soundSum += sound;

        using V = ChordValuesBlock;
        map.setF32(va, ve + V::kTransitTime, static_cast<float>((up + down) / 2.0 * 1e6));
        map.setF32(va, ve + V::kDeltaT, static_cast<float>((up - down) * 1e9));
        map.setF32(va, ve + V::kVelocity, static_cast<float>(measured));
        map.setF32(va, ve + V::kSoundVelocity, static_cast<float>(sound));
        using S = ChordSignalBlock;
        const double gain = 38.0 + 1.5 * j + noise(0.2);
        map.setU16(sa, se + S::kGainUp, static_cast<std::uint16_t>(std::lround(gain * 10.0)));
        map.setU16(sa, se + S::kGainDown,
                   static_cast<std::uint16_t>(std::lround((gain + 0.4) * 10.0)));
        map.setU16(
            sa, se + S::kQuality,
            static_cast<std::uint16_t>(std::clamp(std::lround(96.0 + noise(1.5)), 0L, 100L)));
        map.setU16(sa, se + S::kStatus, 0);
    }

    const double mean = chords > 0 ? velocitySum / chords : 0.0;
    flow_[pipe] = chords > 0 ? mean * area * 1000.0 : 0.0;
    velocity_[pipe] = mean;
    for (int i = 0; i < ChordSignalBlock::kProfilePoints; ++i) {
        const double r = -1.0 + (2.0 * i + 1.0) / ChordSignalBlock::kProfilePoints;
        const double point = mean / kProfileMeanRatio * std::pow(1.0 - std::fabs(r), 1.0 / 7.0);
        map.setF32(sa, ChordSignalBlock::kProfile + 4 * i, static_cast<float>(point));
    }

    using B = PathBlock;
    const int unit = map.u16(GeneralBlock::kAddress, GeneralBlock::kFlowUnit);
    const double viscosity = std::max(map.u16(pa, P::kViscosity) / 10.0, 0.1) * 1e-6;
    map.setF32(block, B::kFlow, static_cast<float>(flow_[pipe] * flowUnitFactor(unit)));
    map.setF32(block, B::kVelocity, static_cast<float>(mean));
    map.setF32(block, B::kKCoefficient,
               static_cast<float>(chords > 0 ? 0.93 + 0.01 * std::min(chords, 4) : 0.0));
    map.setU16(block, B::kKMode, map.u16(pa, P::kKhType));
    map.setF32(block, B::kReynolds, static_cast<float>(std::fabs(mean) * diameter / viscosity));
    map.setF32(block, B::kSoundVelocity, static_cast<float>(chords > 0 ? soundSum / chords : 0.0));
    map.setU16(block, B::kChordsInUse, static_cast<std::uint16_t>(chords));
}

void Plant::updateTotalizers(const RegisterMap& map, double dt) {
    using T = TotalizerSettingsBlock;
    for (int t = 0; t < T::kTotalizers; ++t) {
        const int source = map.u16(T::kAddress, T::kEntryBytes * t + T::kSource);
        const double q = source == 0 ? flow_[0] : source == 1 ? flow_[1] : totalFlow();
        totalizers_[t] += q * dt;
    }
}

void Plant::writeGeneral(RegisterMap& map) const {
    using T = TotalizerSettingsBlock;
    using B = PathBlock;
    static const double kUnitPerLitre[] = {1000.0, 1.0, 0.001, 0.000001};
    const int unit = map.u16(GeneralBlock::kAddress, GeneralBlock::kFlowUnit);
    const std::uint16_t pipes = map.u16(GeneralBlock::kAddress, GeneralBlock::kNumberOfPipes);
    for (std::uint16_t block : {B::kAddressA, B::kAddressB}) {
        for (int t = 0; t < T::kTotalizers; ++t) {
            const int u = std::min<int>(map.u16(T::kAddress, T::kEntryBytes * t + T::kUnit), 3);
            const int weight =
                std::max<int>(map.u16(T::kAddress, T::kEntryBytes * t + T::kWeight), 1);
            const double count = totalizers_[t] * kUnitPerLitre[u] / weight;
            const double clamped = std::clamp(count, -2147483648.0, 2147483647.0);
            map.setS32(block, B::kTotalizers + 4 * t, static_cast<std::int32_t>(clamped));
        }
        map.setU16(block, B::kIndicators, functionError_ ? 0x20 : 0);
        map.setU16(block, B::kNumberOfPipes, pipes);
        map.setU16(block, B::kFlowUnit, static_cast<std::uint16_t>(unit));
        map.setF32(block, B::kTotalFlow, static_cast<float>(totalFlow() * flowUnitFactor(unit)));
        map.setU32(block, B::kStatusWord, functionError_ ? B::kFunctionErrorBit : 0);
    }
}

void Plant::writeInputsOutputs(RegisterMap& map) const {
    using V = InputOutputValuesBlock;
    using M = ModuleBlock;
    for (int k = 0; k < V::kEntries; ++k) {
        const std::uint16_t word = map.u16(ModuleListBlock::kAddress, 2 * k);
        const std::uint16_t ma = M::address(k);
        const int source = map.u16(ma, M::kSource);
        const double q = source == 0 ? flow_[0] : source == 1 ? flow_[1] : totalFlow();
        const double low = map.s32(ma, M::kLow) / 10.0;
        const double high = map.s32(ma, M::kHigh) / 10.0;
        double value = 0.0;
        switch (word) {
            case ModuleKind::kCurrentOutput:
                value =
                    4.0 + 16.0 * std::clamp(high > low ? (q - low) / (high - low) : 0.0, 0.0, 1.0);
                break;
            case ModuleKind::kRelayOutput:
                value = q >= (low + high) / 2.0 ? 1.0 : 0.0;
                break;
            case ModuleKind::kCurrentInput:
                value = 12.0 + 0.01 * std::sin(lastElapsed_);
                break;
            case ModuleKind::kVoltageInput:
                value = 5.0 + 0.01 * std::cos(lastElapsed_);
                break;
            case ModuleKind::kPt100Input:
                value = temperature_;
                break;
            default:
                break;
        }
        map.setF32(V::kAddress, V::kEntryBytes * k + V::kValue, static_cast<float>(value));
        map.setU16(V::kAddress, V::kEntryBytes * k + V::kNotUsed, word == 0 ? 1 : 0);
        map.setU16(V::kAddress, V::kEntryBytes * k + V::kUnit, map.u16(ma, M::kUnit));
    }
}

double Plant::sourceValue(int source, const std::array<double, 20>& functions, int before) const {
    // Positions in the tool's list of measured quantities.
    switch (source) {
        case 1:
        case 2:
            return flow_[source - 1];
        case 3:
            return totalFlow();
        case 4:
        case 5:
            return velocity_[source - 4];
        case 6:
        case 7:
            return soundVelocity_;
        case 8:
        case 9:
        case 10:
        case 11:
            return totalizers_[source - 8];
        default:
            break;
    }
    const int function = source - 17;  // "Function 01" ... "Function 20"
    return function >= 0 && function < before ? functions[std::size_t(function)] : 0.0;
}

// The functions whose definition in 0xD200 the simulator interprets move with the plant: the
// linear and polynomial types, sums and products, threshold and blanking; the time-based types
// follow their source. A function defined only by its 0x1800 coefficients (a, b) is a QT + b.
void Plant::writeFunctions(RegisterMap& map) {
    using P = FunctionParameterBlock;
    using F = FunctionValuesBlock;
    using D = FunctionDefinitions;
    const D::Parsed definitions =
        D::Parse(map.bytes(FunctionDefinitionBlock::kAddress), D::kBlockBytes);
    std::array<double, P::kFunctions> values{};
    std::array<bool, P::kFunctions> configured{};
    for (int k = 0; k < P::kFunctions; ++k) {
        const D::Definition& d = definitions.functions[std::size_t(k)];
        const std::vector<double> v = D::Values(d);
        auto x = [&](std::size_t i) { return sourceValue(int(v[i]), values, k); };
        double y = 0.0;
        bool defined = d.type != D::kOff && d.type != D::kNotUsed;
        switch (d.type) {
            case 6:
                y = v[1] +
                    v[0] * std::sin(v[2] > 0 ? 2 * std::numbers::pi * lastElapsed_ / v[2] : 0.0);
                break;
            case 7:
                y = x(0) >= v[2] ? 1.0 : x(0) <= v[1] ? 0.0 : values[std::size_t(k)];
                break;
            case 8:
                y = v[1] * x(0) + v[2];
                break;
            case 9:
                y = v[1] != 0.0 ? (x(0) - v[2]) / v[1] : 0.0;
                break;
            case 10:
                y = x(0) >= v[1] && x(0) <= v[2] ? 0.0 : x(0);
                break;
            case 13:
                y = x(0) + x(1) + x(2) + x(3);
                break;
            case 14:
                y = x(0) * x(1) * x(2) * x(3);
                break;
            case 15:
                y = v[1] * std::pow(x(0), 5) + v[2] * std::pow(x(0), 4) + v[3] * std::pow(x(0), 3);
                break;
            case 16:
                y = v[1] * x(0) * x(0) + v[2] * x(0) + v[3];
                break;
            case 17:
                y = x(0) * x(1) + x(1) * x(1);
                break;
            default:
                y = defined ? x(0) : 0.0;
                break;
        }
        if (!defined) {
            const float a = map.f32(P::kAddress, P::kEntryBytes * k + P::kA);
            const float b = map.f32(P::kAddress, P::kEntryBytes * k + P::kB);
            defined = (a != 0.0f || b != 0.0f) && std::isfinite(a) && std::isfinite(b);
            y = defined ? a * totalFlow() + b : 0.0;
        }
        configured[k] = defined && std::isfinite(y);
        values[k] = configured[k] ? y : 0.0;
        map.setF32(F::kAddress, F::kEntryBytes * k + F::kValue, static_cast<float>(values[k]));
        map.setU8(F::kAddress, F::kEntryBytes * k + F::kFlags, configured[k] ? 0 : F::kDefaultBit);
    }
    using O = FunctionOutputBlock;
    using V = OutputValuesBlock;
    bool error = false;
    for (int k = 0; k < O::kOutputs; ++k) {
        const bool used = map.u16(O::kAddress, O::kEntryBytes * k + O::kSource) != 0;
        const int index = map.u16(O::kAddress, O::kEntryBytes * k + O::kFunctionIndex);
        const bool valid = used && index < P::kFunctions && configured[index];
        if (used && !valid) error = true;
        map.setF32(V::kAddress, V::kEntryBytes * k + V::kValue,
                   static_cast<float>(valid ? values[index] : 0.0));
        map.setU8(V::kAddress, V::kEntryBytes * k + V::kFlags, valid ? 0 : V::kDefaultBit);
    }
    functionError_ = error;
}

}  // namespace flowcfg
