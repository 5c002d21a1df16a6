// SPDX-License-Identifier: MIT
#include "platform/basic.h"
#include "platform/color.h"
#include "show/form_tree.h"
#include "show/program.h"

// The shimmer of the hatching over the tree, and the two pictures on the tree that react to
// a click: the question mark toggles the message window, the plug ends the program.
namespace xmascard {

void FormTree::TimerShapeTree_Timer() {
    const int g = Int((250 - 100 + 1) * static_cast<double>(runtime().Rnd()) + 100);
    ShapeTree.setFillColor(RGB(g, g, g));
}

void FormTree::Picture1_Click() {
    if (!program_.form5->Visible())
        program_.form5->Show();
    else
        Unload(*program_.form5);
}

void FormTree::Image2_Click() { End(runtime()); }

}  // namespace xmascard
