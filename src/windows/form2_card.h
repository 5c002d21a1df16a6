// SPDX-License-Identifier: MIT
#pragma once

#include "platform/controls/command_button.h"
#include "platform/controls/label.h"
#include "platform/controls/media_player.h"
#include "platform/controls/picture_box.h"
#include "platform/controls/shape.h"
#include "platform/controls/text_box.h"
#include "platform/form.h"
#include "windows/card_names.h"

namespace xmascard {

// The greeting card: a see-through window showing only the rectangles of its controls,
// dragged by its painting, whose save button appears once a name field is edited. A card
// with names opens to its inside page, where the names stand under the greeting.
class Form2 final : public Form {
  public:
    // The width of the open card, both pages (twips).
    static constexpr float kOpenWidth = 6510;

    explicit Form2(Runtime& runtime);
    void Form_Load() override;
    void Form_Resize() override;

    // Writes the receiver's and the sender's names into their boxes, each fitted to its
    // box; a name not given leaves its box empty. Names the program writes are not edits:
    // they reveal no save button.
    void writeNames(const CardNames& names);
    bool hasNames() const { return hasNames_; }
    // Opens the card to both pages: the window takes their width and shapes itself to them,
    // the inside page's background goes under the greeting and the dots, and the player on
    // the page shows the tune `music` plays.
    void OpenCard(const MediaPlayer& music);
    bool isOpen() const { return Width() == kOpenWidth; }

    PictureBox& Picture5;
    Label& Label4;
    TextBox& Text1;
    TextBox& Text2;
    CommandButton& CmdSave;
    Shape& Shape2;
    MediaPlayer& MediaPlayer2;

  private:
    void Picture5_MouseDown(const MouseEvent& e);
    void Picture5_MouseMove(const MouseEvent& e);
    void Text_Change();
    void writeName(TextBox& box, const Font& font, const std::optional<std::string>& name);
    bool acceptsName(const std::string& text, const Font& font);

    // Where the painting was grabbed, in the painting's own unit.
    int grabX_ = 0;
    int grabY_ = 0;
    // The names' type as laid out, before any fitting.
    const Font receiverFont_;
    const Font senderFont_;
    bool hasNames_ = false;
    bool writingNames_ = false;
};

}  // namespace xmascard
