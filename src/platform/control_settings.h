// SPDX-License-Identifier: MIT
#pragma once

// Settings of controls as the design tables give them, kept apart from the controls so that
// the tables, which are plain data, include none of them.
namespace xmascard {

// A custom mouse pointer: an embedded picture and its hot spot. No picture: the default.
struct Cursor {
    const char* picture = nullptr;
    int hotX = 0;
    int hotY = 0;
    bool isDefault() const { return picture == nullptr; }
};

// The border of a picture box: none, a 1-pixel black line, or a 2-pixel sunken edge.
enum class BorderStyle { None = 0, Flat = 1, Sunken = 2 };

// The figure of a shape, and whether its back is filled.
enum class ShapeType { Rectangle = 0, Circle = 3 };
enum class BackStyle { Transparent = 0, Opaque = 1 };

}  // namespace xmascard
