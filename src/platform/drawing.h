// SPDX-License-Identifier: MIT
#pragma once

namespace xmascard {

// How a figure's interior is filled.
enum class FillStyle {
    Solid = 0,
    Transparent = 1,
    HorizontalLine = 2,
    VerticalLine = 3,
    UpwardDiagonal = 4,
    DownwardDiagonal = 5,
    Cross = 6,
    DiagonalCross = 7,
};

// How a figure's pen and brush combine with what lies under it.
enum class DrawMode {
    MaskPen = 9,   // the bitwise AND of the figure's colour and the pixels under it
    CopyPen = 13,  // the figure's colour replaces the pixels under it
};

// The outline of figures drawn on a picture box.
enum class DrawStyle { Solid = 0, Invisible = 5 };

}  // namespace xmascard
