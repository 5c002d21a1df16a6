// SPDX-License-Identifier: MIT
#pragma once

#include <QRegion>

#include "platform/region.h"

namespace xmascard {

// The runtime's view of a region: a QRegion. Only runtime sources include this.
struct Region::Impl {
    QRegion region;
};

inline const QRegion& qRegion(const Region& r) { return r.impl().region; }

}  // namespace xmascard
