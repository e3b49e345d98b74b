#include "acquisition/WaterTemperature.h"

#include <cmath>

namespace flowcfg {

double PureWaterSoundSpeed(double t) {
    return 1402.38744 +
           t * (5.03836171 + t * (-0.0581172916 + t * (0.000334638117 +
                                                       t * (-1.48259672e-06 + t * 3.1658502e-09))));
}

double WaterTemperatureFromSoundSpeed(double c) {
    constexpr double kLow = 0.0, kHigh = 74.0, kTolerance = 0.001;
    if (!std::isfinite(c) || c < PureWaterSoundSpeed(kLow)) return -99;
    if (c > PureWaterSoundSpeed(kHigh)) return 99;
    double lo = kLow, hi = kHigh, mid = (lo + hi) / 2;
    // The polynomial rises over the whole range, so each halving keeps the root inside; 60
    // halvings reach the resolution of a double long before the limit matters.
    for (int step = 0; step < 60; ++step) {
        mid = (lo + hi) / 2;
        const double f = PureWaterSoundSpeed(mid);
        if (std::fabs(f - c) < kTolerance) break;
        if (c < f)
            hi = mid;
        else
            lo = mid;
    }
    return mid;
}

}  // namespace flowcfg
