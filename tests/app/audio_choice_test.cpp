// SPDX-License-Identifier: MIT
#include "app/audio_choice.h"

#include <gtest/gtest.h>

namespace xmascard {
namespace {

TEST(AudioChoice, FollowsXmascardAudio) {
    struct Row {
        std::optional<std::string> value;
        AudioChoice expected;
    };
    const Row rows[] = {
        {std::nullopt, {false, ""}}, {"", {false, ""}},
        {"auto", {false, ""}},       {"none", {true, ""}},
        {"alsa", {false, "alsa"}},   {"pulseaudio", {false, "pulseaudio"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(audioChoiceFor(row.value), row.expected) << row.value.value_or("(unset)");
}

}  // namespace
}  // namespace xmascard
