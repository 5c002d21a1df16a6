// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "platform/geometry.h"
#include "platform/region.h"

namespace xmascard {

// The card's windows on the page, top-most last, as a window system keeps them: where each
// is, whether it shows, its shape. The page has one pointer listener; this finds the window
// a point belongs to, so that a click outside a window's shape reaches the one below.
class WindowStack {
  public:
    using Id = int;

    Id add();
    void remove(Id id);
    void place(Id id, const PixelRect& where);
    void show(Id id, bool shown);
    void raise(Id id);
    // None: the whole rectangle.
    void setShape(Id id, std::optional<Region> shape);

    // The top-most shown window whose shape holds the point (on the screen); none when the
    // point is on the page's background.
    std::optional<Id> at(PixelPoint onScreen) const;
    std::optional<PixelRect> placeOf(Id id) const;
    // The windows from the bottom up.
    std::vector<Id> order() const;

  private:
    struct Entry {
        Id id;
        PixelRect where{};
        bool shown = false;
        std::optional<Region> shape;
    };
    Entry* find(Id id);
    const Entry* find(Id id) const;

    std::vector<Entry> entries_;  // bottom first
    Id next_ = 1;
};

}  // namespace xmascard
