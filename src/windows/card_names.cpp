// SPDX-License-Identifier: MIT
#include "windows/card_names.h"

#include <cstring>

#include "layout/companion_layouts.h"
#include "platform/name_rule.h"

namespace xmascard {

Font cardNameFont(CardName which) {
    const char* box = which == CardName::Receiver ? "Text1" : "Text2";
    for (const ControlDesign& control : layout::form2Controls())
        if (std::strcmp(control.name, box) == 0) return control.font;
    return {};
}

std::optional<std::string> cardNamesFontProblem(const CardNames& names, Graphics& graphics) {
    for (const auto& [name, which, option] :
         {std::tuple{&names.to, CardName::Receiver, "--to"},
          std::tuple{&names.from, CardName::Sender, "--from"}}) {
        if (!*name) continue;
        if (auto problem = nameFontProblem(**name, graphics, cardNameFont(which)))
            return std::string(option) + " " + *problem;
    }
    return std::nullopt;
}

}  // namespace xmascard
