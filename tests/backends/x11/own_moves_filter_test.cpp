// SPDX-License-Identifier: MIT
#include "backends/x11/own_moves_filter.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QWidget>
#include <QWindow>

namespace xmascard {
namespace {

const QByteArray kXcb("xcb_generic_event_t");

class X11OwnMoves : public ::testing::Test {
  protected:
    void SetUp() override {
        card_.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        card_.setGeometry(519, 66, 150, 163);
        card_.show();
        id_ = static_cast<quint32>(card_.winId());
    }

    xcb_configure_notify_event_t configure(int x, int y, int width, int height) const {
        xcb_configure_notify_event_t event{};
        event.response_type = XCB_CONFIGURE_NOTIFY;
        event.event = id_;
        event.window = id_;
        event.x = static_cast<int16_t>(x);
        event.y = static_cast<int16_t>(y);
        event.width = static_cast<uint16_t>(width);
        event.height = static_cast<uint16_t>(height);
        return event;
    }

    bool dropped(xcb_configure_notify_event_t event) {
        return filter_.nativeEventFilter(kXcb, &event, nullptr);
    }

    void reparent(quint32 parent) {
        xcb_reparent_notify_event_t event{};
        event.response_type = XCB_REPARENT_NOTIFY;
        event.event = id_;
        event.window = id_;
        event.parent = parent;
        EXPECT_FALSE(filter_.nativeEventFilter(kXcb, &event, nullptr));
    }

    QWidget card_;
    quint32 id_ = 0;
    X11OwnMovesFilter filter_;
};

TEST_F(X11OwnMoves, DropsOnlyTheConfirmationOfTheGeometryQtHolds) {
    EXPECT_TRUE(dropped(configure(519, 66, 150, 163)));
    card_.move(519, 64);
    EXPECT_TRUE(dropped(configure(519, 64, 150, 163)));

    EXPECT_FALSE(dropped(configure(519, 66, 150, 163))) << "an older position";
    EXPECT_FALSE(dropped(configure(0, 0, 150, 163))) << "placed elsewhere";
    EXPECT_FALSE(dropped(configure(519, 64, 151, 163))) << "resized";
}

TEST_F(X11OwnMoves, PassesWhatItCannotJudge) {
    auto ofParent = configure(519, 66, 150, 163);
    ofParent.event = id_ + 1;  // a parent told of its child
    EXPECT_FALSE(dropped(ofParent));

    auto unknown = configure(519, 66, 150, 163);
    unknown.event = unknown.window = id_ + 1000;
    EXPECT_FALSE(dropped(unknown));

    auto bordered = configure(519, 66, 150, 163);
    bordered.border_width = 1;
    EXPECT_FALSE(dropped(bordered));

    auto event = configure(519, 66, 150, 163);
    EXPECT_FALSE(filter_.nativeEventFilter("windows_generic_MSG", &event, nullptr));
}

// Under a reparenting window manager a real event gives the place in the frame, which may
// happen to equal the geometry Qt holds; the manager's synthetic events give the place on
// the screen.
TEST_F(X11OwnMoves, InAFrameOnlySyntheticEventsAreJudged) {
    reparent(id_ + 7);
    EXPECT_FALSE(dropped(configure(519, 66, 150, 163)));
    auto synthetic = configure(519, 66, 150, 163);
    synthetic.response_type |= 0x80;
    EXPECT_TRUE(dropped(synthetic));
}

}  // namespace
}  // namespace xmascard
