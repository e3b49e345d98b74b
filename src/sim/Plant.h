#pragma once

#include <array>
#include <cstdint>
#include <random>

#include "sim/RegisterMap.h"

namespace flowcfg {

// The process the instrument measures: water near 20 °C flowing through one or two pipes. Flows
// wander slowly around a set point with a little noise; each chord's transit times, delta-T,
// velocity and sound velocity follow from the pipe and chord settings in the register map and are
// consistent with each other; totalizers integrate the flows. `update` advances the plant to a
// time and writes the measurement blocks.
class Plant {
public:
    explicit Plant(std::uint32_t seed);

    // Advances to `elapsed` seconds since the instrument started and writes the measurement
    // blocks (path, chord, input-output, output and function values) into `map`.
    void update(RegisterMap& map, double elapsed);

    // Flow of a pipe (0 = A, 1 = B) and the total, in l/s, as of the last update.
    double flow(int pipe) const { return flow_[pipe]; }
    double totalFlow() const { return flow_[0] + flow_[1]; }
    double velocity(int pipe) const { return velocity_[pipe]; }
    double soundVelocity() const { return soundVelocity_; }
    double waterTemperature() const { return temperature_; }

    // Volume counted by totalizer t, in litres.
    double totalizerLitres(int t) const { return totalizers_[t]; }
    void setTotalizerLitres(int t, double litres) { totalizers_[t] = litres; }

    // Sound velocity of pure water at `celsius` (m/s).
    static double waterSoundSpeed(double celsius);
    // Factor from l/s to the flow unit of the list "l/s", "l/mn", "l/h", "m3/s", "m3/h".
    static double flowUnitFactor(int unit);

private:
    void updatePath(RegisterMap& map, int pipe, int firstChord, int chords, double elapsed);
    void updateTotalizers(const RegisterMap& map, double dt);
    void writeGeneral(RegisterMap& map) const;
    void writeInputsOutputs(RegisterMap& map) const;
    void writeFunctions(RegisterMap& map);
    // The value of a measured quantity (a position in the tool's list), functions before
    // `before` included.
    double sourceValue(int source, const std::array<double, 20>& functions, int before) const;
    double noise(double sigma);

    std::mt19937 random_;
    double lastElapsed_ = -1.0;
    std::array<double, 2> flow_{};
    std::array<double, 2> velocity_{};
    std::array<double, 2> flowNoise_{};
    std::array<double, 4> totalizers_{};
    double soundVelocity_ = 1482.0;
    double temperature_ = 20.0;
    bool functionError_ = false;
};

}  // namespace flowcfg
