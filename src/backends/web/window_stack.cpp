// SPDX-License-Identifier: MIT
#include "backends/web/window_stack.h"

#include <algorithm>

namespace xmascard {

WindowStack::Id WindowStack::add() {
    entries_.push_back({.id = next_});
    return next_++;
}

void WindowStack::remove(Id id) {
    std::erase_if(entries_, [id](const Entry& e) { return e.id == id; });
}

WindowStack::Entry* WindowStack::find(Id id) {
    auto it =
        std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    return it == entries_.end() ? nullptr : &*it;
}

const WindowStack::Entry* WindowStack::find(Id id) const {
    return const_cast<WindowStack*>(this)->find(id);
}

void WindowStack::place(Id id, const PixelRect& where) {
    if (Entry* e = find(id)) e->where = where;
}

void WindowStack::show(Id id, bool shown) {
    if (Entry* e = find(id)) e->shown = shown;
}

void WindowStack::raise(Id id) {
    auto it =
        std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (it != entries_.end()) std::rotate(it, it + 1, entries_.end());
}

void WindowStack::setShape(Id id, std::optional<Region> shape) {
    if (Entry* e = find(id)) e->shape = std::move(shape);
}

std::optional<WindowStack::Id> WindowStack::at(PixelPoint p) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        const PixelRect& r = it->where;
        if (!it->shown || p.x < r.left || p.y < r.top || p.x >= r.right || p.y >= r.bottom)
            continue;
        if (!it->shape || it->shape->contains(p.x - r.left, p.y - r.top)) return it->id;
    }
    return std::nullopt;
}

std::optional<PixelRect> WindowStack::placeOf(Id id) const {
    const Entry* e = find(id);
    return e ? std::optional<PixelRect>(e->where) : std::nullopt;
}

std::vector<WindowStack::Id> WindowStack::order() const {
    std::vector<Id> ids;
    for (const Entry& e : entries_) ids.push_back(e.id);
    return ids;
}

}  // namespace xmascard
