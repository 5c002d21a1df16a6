// SPDX-License-Identifier: MIT
#include "windows/form5_message.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/form_ref.h"
#include "windows/window_test_support.h"

namespace xmascard {
namespace {

using testing::TestRuntime;

struct Bubble {
    TestRuntime t;
    FormRef<Form5> ref{[this] { return std::make_unique<Form5>(t.runtime); }};

    explicit Bubble(bool browserOpens = true) {
        t.host.setBrowserOpens(browserOpens);
        ref->Show();
    }
    const std::vector<std::string>& opened() const { return t.host.opened(); }
};

struct ClickRow {
    const char* name;
    std::function<Control&(Form5&)> target;
};

class Form5Close : public ::testing::TestWithParam<ClickRow> {};

TEST_P(Form5Close, AClickOnTheBubbleOrAMessageLabelClosesIt) {
    Bubble bubble;
    GetParam().target(*bubble.ref).Click();
    bubble.t.runtime.sweep();
    EXPECT_FALSE(bubble.ref.loaded());
    EXPECT_TRUE(bubble.opened().empty());
}

INSTANTIATE_TEST_SUITE_P(
    , Form5Close,
    ::testing::Values(ClickRow{"Bubble", [](Form5& f) -> Control& { return f.picMessage; }},
                      ClickRow{"Label4_0", [](Form5& f) -> Control& { return f.Label4(0); }},
                      ClickRow{"Label4_1", [](Form5& f) -> Control& { return f.Label4(1); }},
                      ClickRow{"Label4_3", [](Form5& f) -> Control& { return f.Label4(3); }}),
    [](const auto& info) { return std::string(info.param.name); });

class Form5Link : public ::testing::TestWithParam<bool> {};

// Every click on the link hands the address over again; the bubble stays, whether or not a
// browser could open it.
TEST_P(Form5Link, TheLinkOpensTheAddressAndTheBubbleStays) {
    Bubble bubble(GetParam());
    bubble.ref->Label5.Click();
    bubble.ref->Label5.Click();
    bubble.t.runtime.sweep();
    ASSERT_TRUE(bubble.ref.loaded());
    EXPECT_TRUE(bubble.ref->Visible());
    EXPECT_EQ(bubble.opened(), std::vector<std::string>(2, Form5::kWebAddress));
}

INSTANTIATE_TEST_SUITE_P(BrowserOpensOrNot, Form5Link, ::testing::Bool());

TEST(Form5, WithNoWayToOpenAddressesTheLinkDoesNothing) {
    Bubble bubble(false);
    bubble.ref->Label5.Click();
    EXPECT_TRUE(bubble.ref.loaded());
}

TEST(Form5, ReopenedItIsShapedAfreshLikeTheFirstTime) {
    Bubble bubble;
    const RegionHandle first = bubble.ref->region();
    EXPECT_EQ(testing::pixelsOffOutline(first, bubble.ref->picMessage.picture()), 0);
    bubble.ref->picMessage.Click();
    bubble.t.runtime.sweep();
    bubble.ref->Show();
    ASSERT_TRUE(bubble.ref->region().has_value());
    EXPECT_EQ(*bubble.ref->region(), *first);
    EXPECT_EQ(bubble.ref->Left(), 0);
}

}  // namespace
}  // namespace xmascard
