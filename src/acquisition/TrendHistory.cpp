#include "acquisition/TrendHistory.h"

namespace flowcfg {

void TrendHistory::add(const Point& point) {
    if (!points_.empty() && point.time < points_.back().time) points_.clear();
    points_.push_back(point);
    while (points_.size() > kMaxPoints || points_.front().time < point.time - span_)
        points_.pop_front();
}

}  // namespace flowcfg
