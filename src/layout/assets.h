// SPDX-License-Identifier: MIT
#pragma once

#include "platform/controls/control.h"

// The embedded pictures and cursors the windows are made of.
namespace xmascard::assets {

inline constexpr const char* kTree = "pictures/tree.gif";
inline constexpr const char* kHappyNewYear = "pictures/happy_new_year.jpg";
inline constexpr const char* kSeasonsGreetings = "pictures/seasons_greetings.jpg";
inline constexpr const char* kMerryChristmas = "pictures/merry_christmas.jpg";
inline constexpr const char* kHelpButton = "pictures/help_button.gif";
inline constexpr const char* kPlug = "pictures/plug.gif";
inline constexpr const char* kCherub[] = {"pictures/cherub1.gif", "pictures/cherub2.gif",
                                          "pictures/cherub3.gif", "pictures/cherub4.gif"};
inline constexpr const char* kSpeechBubble = "pictures/speech_bubble.bmp";
inline constexpr const char* kMadonna = "pictures/madonna.jpg";
inline constexpr const char* kGreetingScript = "pictures/greeting_script.gif";
inline constexpr const char* kSaveNormal = "pictures/save_normal.bmp";
inline constexpr const char* kSavePressed = "pictures/save_pressed.bmp";
inline constexpr const char* kMerryChristmasPanel = "pictures/merry_christmas_panel.bmp";
inline constexpr const char* kTreeIcon32 = "icon/tree-32.png";
inline constexpr const char* kTreeIcon16 = "icon/tree-16.png";

inline constexpr Cursor kPointingHand{"cursors/hand_point.png", 12, 1};
inline constexpr Cursor kProhibitedHand{"cursors/hand_prohibited.png", 12, 1};
inline constexpr Cursor kOpenHand{"cursors/hand_open.png", 16, 14};
inline constexpr Cursor kTreeCursor{"icon/tree-32.png", 16, 16};

}  // namespace xmascard::assets
