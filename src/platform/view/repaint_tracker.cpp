// SPDX-License-Identifier: MIT
#include "platform/view/repaint_tracker.h"

#include "platform/controls/control_geometry.h"

namespace xmascard {

std::vector<PixelRect> RepaintTracker::changed(const Control& control, Change what) {
    if (what == Change::Content && !contentPending_.insert(&control).second) return {};
    const PixelRect now = controlRectInForm(control);
    std::vector<PixelRect> areas;
    auto [it, first] = painted_.try_emplace(&control, now);
    if (!first) {
        if (what == Change::Geometry || what == Change::Visibility) areas.push_back(it->second);
        it->second = now;
    }
    areas.push_back(now);
    return areas;
}

}  // namespace xmascard
