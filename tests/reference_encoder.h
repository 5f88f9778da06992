// An encoder written from the symbology's own rules, kept apart from the program's tables:
// Full ASCII by character ranges, check characters by weights counted from the right. Shared by
// the encoding tests and the encoder's fuzz target.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The font text of one typed character, or nothing when Code 93 cannot carry it.
inline std::optional<std::u16string> ReferenceFullAscii(char16_t c) {
    const std::u16string direct = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
    if (direct.find(c) != std::u16string::npos) {
        return std::u16string(1, c);
    }
    auto pair = [](char16_t shift, int letter) {
        return std::u16string{shift, char16_t(u'A' + letter)};
    };
    const char16_t slash = u'>', plus = u'?', percent = u'=';
    if (c >= 'a' && c <= 'z') {
        return pair(plus, c - 'a');
    }
    if (c >= '!' && c <= ',') {
        return pair(slash, c - '!');
    }
    if (c == ':') {
        return pair(slash, 'Z' - 'A');
    }
    if (c >= ';' && c <= '?') {
        return pair(percent, 'F' - 'A' + (c - ';'));
    }
    if (c == '@') {
        return pair(percent, 'V' - 'A');
    }
    if (c >= '[' && c <= '_') {
        return pair(percent, 'K' - 'A' + (c - '['));
    }
    if (c == '`') {
        return pair(percent, 'W' - 'A');
    }
    if (c >= '{' && c <= '~') {
        return pair(percent, 'P' - 'A' + (c - '{'));
    }
    // The typed markers: (%) and ($) start a pair whose letter is typed after them; the other
    // two stand for nothing.
    switch (c) {
    case u'\u00A9':
        return std::u16string(1, percent);
    case u'\u00AA':
        return std::u16string(1, u'<');
    case u'\u00AB':
    case u'\u00AC':
        return std::u16string();
    default:
        return std::nullopt;
    }
}

// The symbols as the symbology's table publishes them, by value 0..46: nine modules each, 1 a bar
// module and 0 a space module. Start and stop share one pattern; the stop adds a termination bar.
inline constexpr std::array<std::string_view, 47> ReferencePatterns{
    "100010100", "101001000", "101000100", "101000010", "100101000", "100100100", "100100010",
    "101010000", "100010010", "100001010", "110101000", "110100100", "110100010", "110010100",
    "110010010", "110001010", "101101000", "101100100", "101100010", "100110100", "100011010",
    "101011000", "101001100", "101000110", "100101100", "100010110", "110110100", "110110010",
    "110101100", "110100110", "110010110", "110011010", "101101100", "101100110", "100110110",
    "100111010", "100101110", "111010100", "111010010", "111001010", "101101110", "101110110",
    "110101110", "100100110", "111011010", "111010110", "100110010",
};
inline constexpr std::string_view ReferenceStartStop = "101011110";

inline int ReferenceValue(char16_t c) {
    const std::u16string symbols = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%<=>?";
    return int(symbols.find(c));
}

// "(" + font text + C + K + ")", or nothing for empty data or a character Code 93 cannot carry.
inline std::optional<std::u16string> ReferenceBarcode(std::u16string_view data) {
    if (data.empty()) {
        return std::nullopt;
    }
    std::u16string body;
    for (char16_t c : data) {
        const std::optional<std::u16string> text = ReferenceFullAscii(c);
        if (!text) {
            return std::nullopt;
        }
        body += *text;
    }
    auto check = [](const std::u16string& text, int maxWeight) {
        long sum = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const std::size_t fromRight = text.size() - 1 - i;
            sum += ReferenceValue(text[i]) * long(fromRight % maxWeight + 1);
        }
        return u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%<=>?"[sum % 47];
    };
    body += check(body, 20);
    body += check(body, 15);
    for (auto& c : body) {
        if (c == u' ') {
            c = u'~';
        }
    }
    return u"(" + body + u")";
}
