// SPDX-License-Identifier: MIT
#include "windows/form2_card.h"

#include "layout/companion_layouts.h"
#include "platform/graphics.h"
#include "platform/name_rule.h"
#include "platform/runtime.h"
#include "platform/text_fit.h"
#include "shaping/transparent_form.h"

namespace xmascard {

namespace {
// A name is set no smaller than this before it is cut short.
constexpr Pixels kSmallestName{8};
// What a text box keeps free of text: its margins and the text cursor.
constexpr int kEditMargins = 5;
// The title of the music on the open card's player: the medley the show plays.
constexpr const char* kTuneTitle = "Christmas Medley";
}  // namespace

Form2::Form2(Runtime& runtime)
    : Form(runtime, layout::form2Design(), layout::form2Controls()),
      Picture5(control<PictureBox>("Picture5")),
      Label4(control<Label>("Label4")),
      Text1(control<TextBox>("Text1")),
      Text2(control<TextBox>("Text2")),
      CmdSave(control<CommandButton>("CmdSave")),
      Shape2(control<Shape>("Shape2")),
      MediaPlayer2(control<MediaPlayer>("MediaPlayer2")),
      receiverFont_(Text1.font()),
      senderFont_(Text2.font()) {
    Picture5.MouseDown = [this](const MouseEvent& e) { Picture5_MouseDown(e); };
    Picture5.MouseMove = [this](const MouseEvent& e) { Picture5_MouseMove(e); };
    Text1.Change = [this] { Text_Change(); };
    Text2.Change = [this] { Text_Change(); };
    Text1.Accepts = [this](const std::string& text) { return acceptsName(text, receiverFont_); };
    Text2.Accepts = [this](const std::string& text) { return acceptsName(text, senderFont_); };
}

// A name typed into the card follows the rule of the names given to it, except that it
// may be blank on its way.
bool Form2::acceptsName(const std::string& text, const Font& font) {
    Graphics& graphics = runtime().host().graphics();
    return !nameTextProblem(text, graphics.characterEnds(text).size(), Blank::Allowed) &&
           !nameFontProblem(text, graphics, font);
}

void Form2::Form_Load() { TransparentForm(*this); }

void Form2::Form_Resize() { TransparentForm(*this); }

void Form2::Picture5_MouseDown(const MouseEvent& e) {
    grabX_ = roundHalfEven(e.X);
    grabY_ = roundHalfEven(e.Y);
}

void Form2::Picture5_MouseMove(const MouseEvent& e) {
    if (e.Button != kLeftButton) return;
    // The painting keeps twips, the unit of the window's position.
    Move(Left() + (e.X - static_cast<float>(grabX_)), Top() + (e.Y - static_cast<float>(grabY_)));
}

void Form2::Text_Change() {
    if (!writingNames_) CmdSave.setVisible(true);
}

void Form2::writeNames(const CardNames& names) {
    hasNames_ = names.any();
    writingNames_ = true;
    writeName(Text1, receiverFont_, names.to);
    writeName(Text2, senderFont_, names.from);
    writingNames_ = false;
}

void Form2::writeName(TextBox& box, const Font& font, const std::optional<std::string>& name) {
    const int room = devicePixels(box.geometry().width) - kEditMargins;
    const FittedText fitted =
        fitText(runtime().host().graphics(), name.value_or(""), font, kSmallestName, room);
    box.setFont(fitted.font);
    box.setText(fitted.text);
}

void Form2::OpenCard(const MediaPlayer& music) {
    // The inside page's background was laid out last, above the greeting and the dots.
    Shape2.ZOrder(ZOrderPosition::Back);
    MediaPlayer2.showTune(&music, kTuneTitle);
    setWidth(kOpenWidth);
}

}  // namespace xmascard
