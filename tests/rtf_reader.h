// A minimal reader of the RTF subset the clipboard writer produces, strict about group balance:
// what a word processor would make of it (font table, runs with face and size, paragraphs).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cctype>
#include <cstdint>
#include <utility>

// One piece of RTF as a reader meets it, with where it starts (for a symbol or hex byte, the
// character after the backslash).
struct RtfToken {
    enum class Kind { GroupStart, GroupEnd, Word, Symbol, Hex, Text, LineEnd, EndsInBackslash };
    Kind kind = Kind::Text;
    qsizetype at = 0;
    char c = 0;            // Symbol, Text, LineEnd: the character
    QByteArray word;       // Word: its letters
    bool hasValue = false; // Word: a number follows the letters
    int value = 0;         // Word: that number; Hex: the byte
    bool validHex = true;  // Hex: two hex digits follow \'
};

// Hands the RTF to visit token by token while visit returns true. A control word's one
// delimiting space belongs to it.
template <typename Visit> void ForEachRtfToken(const QByteArray& rtf, Visit visit) {
    using Kind = RtfToken::Kind;
    const auto isHex = [&](qsizetype i) {
        return i < rtf.size() && std::isxdigit(static_cast<unsigned char>(rtf[i])) != 0;
    };
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        RtfToken token;
        token.at = i;
        token.c = rtf[i];
        if (token.c == '{' || token.c == '}') {
            token.kind = token.c == '{' ? Kind::GroupStart : Kind::GroupEnd;
        } else if (token.c == '\r' || token.c == '\n') {
            token.kind = Kind::LineEnd;
        } else if (token.c == '\\' && i + 1 >= rtf.size()) {
            token.kind = Kind::EndsInBackslash;
        } else if (token.c == '\\' && !std::isalpha(static_cast<unsigned char>(rtf[i + 1]))) {
            token.at = ++i;
            token.c = rtf[i];
            token.kind = token.c == '\'' ? Kind::Hex : Kind::Symbol;
            if (token.kind == Kind::Hex) {
                token.validHex = isHex(i + 1) && isHex(i + 2);
                token.value = rtf.mid(i + 1, 2).toInt(nullptr, 16);
                i += 2;
            }
        } else if (token.c == '\\') {
            token.kind = Kind::Word;
            qsizetype end = i + 1;
            while (end < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[end]))) {
                ++end;
            }
            token.word = rtf.mid(i + 1, end - i - 1);
            qsizetype valueEnd = end;
            if (valueEnd < rtf.size() && rtf[valueEnd] == '-') {
                ++valueEnd;
            }
            while (valueEnd < rtf.size() &&
                   std::isdigit(static_cast<unsigned char>(rtf[valueEnd]))) {
                ++valueEnd;
            }
            const QByteArray digits = rtf.mid(end, valueEnd - end);
            token.hasValue = !digits.isEmpty() && digits != "-";
            token.value = digits.toInt();
            i = valueEnd < rtf.size() && rtf[valueEnd] == ' ' ? valueEnd : valueEnd - 1;
        }
        if (!visit(token)) {
            return;
        }
    }
}

struct ParsedRun {
    QString family;
    int halfPoints = 0;
    QString text;
};

struct Parsed {
    bool wellFormed = false;
    QStringList fonts;
    QList<ParsedRun> runs;
    int paragraphs = 1;

    QString Text() const {
        QString all;
        for (const ParsedRun& r : runs) {
            all += r.text;
        }
        return all;
    }
};

inline Parsed Parse(const QByteArray& rtf) {
    using Kind = RtfToken::Kind;
    Parsed parsed;
    struct State {
        int font = 0;
        int halfPoints = 24;
        bool skip = false;
        bool fontTable = false;
    };
    QList<State> stack;
    State state;
    QString fontName;
    bool closed = false;       // the document's closing brace was read
    bool stopped = false;      // at a brace that closes nothing, or anything after the document
    bool skipFallback = false; // the character after \uN, for readers without Unicode
    auto put = [&](QChar c) {
        if (state.skip) {
            return;
        }
        if (state.fontTable) {
            fontName += c;
            return;
        }
        const QString family = parsed.fonts.value(state.font);
        if (parsed.runs.isEmpty() || parsed.runs.back().family != family ||
            parsed.runs.back().halfPoints != state.halfPoints) {
            parsed.runs.append({family, state.halfPoints, {}});
        }
        parsed.runs.back().text += c;
    };
    auto word = [&](const RtfToken& t) {
        if (t.word == "fonttbl") {
            state.fontTable = true;
        } else if (t.word == "f" && !state.fontTable) {
            state.font = t.value;
        } else if (t.word == "fs") {
            state.halfPoints = t.value;
        } else if (t.word == "u") {
            put(QChar(static_cast<char16_t>(static_cast<int16_t>(t.value))));
            skipFallback = true;
        } else if (t.word == "par") {
            ++parsed.paragraphs;
        } else if (t.word == "line") {
            put(QChar::LineSeparator);
        } else if (t.word == "tab") {
            put(QLatin1Char('\t'));
        }
    };
    ForEachRtfToken(rtf, [&](const RtfToken& t) {
        if (closed || (t.kind == Kind::GroupEnd && stack.isEmpty())) {
            stopped = true; // anything after the document's closing brace is an injection
            return false;
        }
        if (std::exchange(skipFallback, false) && t.kind == Kind::Text) {
            return true;
        }
        switch (t.kind) {
        case Kind::GroupStart:
            stack.append(state);
            break;
        case Kind::GroupEnd:
            if (state.fontTable && !fontName.isEmpty()) {
                parsed.fonts.append(fontName.chopped(fontName.endsWith(u';') ? 1 : 0));
                fontName.clear();
            }
            state = stack.takeLast();
            closed = stack.isEmpty();
            break;
        case Kind::Symbol:
            if (t.c == '*') {
                state.skip = true;
            } else if (t.c == '\\' || t.c == '{' || t.c == '}') {
                put(QLatin1Char(t.c));
            }
            break;
        case Kind::Hex:
            put(QChar(t.value));
            break;
        case Kind::Word:
            word(t);
            break;
        case Kind::Text:
            put(QLatin1Char(t.c));
            break;
        case Kind::LineEnd:
        case Kind::EndsInBackslash:
            break;
        }
        return true;
    });
    parsed.wellFormed = !stopped && closed && rtf.startsWith("{\\rtf1");
    return parsed;
}
