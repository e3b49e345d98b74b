#pragma once

namespace flowcfg {

// The water temperature (°C) at which pure water carries sound at `soundVelocity` (m/s): the
// inverse of the pure-water sound-speed polynomial on 0 ... 74 °C, found by bisection to within
// 0.001 m/s. Below the speed at 0 °C it gives -99, above the speed at 74 °C 99.
double WaterTemperatureFromSoundSpeed(double soundVelocity);

// The pure-water sound speed (m/s) at `celsius`, the polynomial the inverse above works on.
double PureWaterSoundSpeed(double celsius);

}  // namespace flowcfg
