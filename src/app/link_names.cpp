// SPDX-License-Identifier: MIT
#include "app/link_names.h"

#include "app/command_line.h"
#include "app/name_fonts.h"
#include "platform/io/shown_text.h"

namespace xmascard {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
                   hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> fragmentPairs(std::string_view fragment) {
    if (!fragment.empty() && fragment.front() == '#') fragment.remove_prefix(1);
    std::vector<std::pair<std::string, std::string>> pairs;
    while (!fragment.empty()) {
        const std::size_t end = fragment.find('&');
        const std::string_view pair = fragment.substr(0, end);
        fragment = end == std::string_view::npos ? std::string_view() : fragment.substr(end + 1);
        if (pair.empty()) continue;
        const std::size_t equals = pair.find('=');
        pairs.emplace_back(percentDecoded(pair.substr(0, equals)),
                           equals == std::string_view::npos
                               ? std::string()
                               : percentDecoded(pair.substr(equals + 1)));
    }
    return pairs;
}

CardNames namesFromLink(std::string_view fragment, Graphics& graphics, std::FILE* err) {
    CardNames names;
    for (const auto& [key, value] : fragmentPairs(fragment)) {
        if (key != "to" && key != "from") {
            std::fprintf(err, "xmascard: the link's \"%s\" is no name of the card; left out\n",
                         io::shown(key).c_str());
            continue;
        }
        // Each name alone, so that one that breaks the rules leaves the other in.
        const auto read = parseCommandLine({"--" + key, value}, {}, graphics);
        if (const auto* error = std::get_if<UsageError>(&read)) {
            std::fprintf(err, "xmascard: %s; the name is left out\n",
                         io::shown(error->message).c_str());
            continue;
        }
        const CardNames& one = std::get<CommandLine>(read).names;
        if (refuseUndrawableNames(one, graphics) != 0) continue;  // it said why, in one line
        if (one.to) names.to = one.to;
        if (one.from) names.from = one.from;
    }
    return names;
}

}  // namespace xmascard
