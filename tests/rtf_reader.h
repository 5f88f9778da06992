// A minimal reader of the RTF subset the clipboard writer produces, strict about group balance:
// what a word processor would make of it (font table, runs with face and size, paragraphs).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cctype>
#include <cstdint>

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
    int closedTopLevel = 0;
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
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (closedTopLevel > 0) {
            return parsed; // anything after the document's closing brace is an injection
        }
        if (c == '{') {
            stack.append(state);
        } else if (c == '}') {
            if (stack.isEmpty()) {
                return parsed;
            }
            if (state.fontTable && !fontName.isEmpty()) {
                parsed.fonts.append(fontName.chopped(fontName.endsWith(u';') ? 1 : 0));
                fontName.clear();
            }
            state = stack.takeLast();
            if (stack.isEmpty()) {
                ++closedTopLevel;
            }
        } else if (c == '\\') {
            const char n = i + 1 < rtf.size() ? rtf[i + 1] : 0;
            if (n == '\\' || n == '{' || n == '}') {
                put(QLatin1Char(n));
                ++i;
            } else if (n == '\'') {
                put(QChar(rtf.mid(i + 2, 2).toInt(nullptr, 16)));
                i += 3;
            } else if (n == '*') {
                state.skip = true;
                ++i;
            } else {
                qsizetype j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) {
                    ++j;
                }
                const QByteArray word = rtf.mid(i + 1, j - i - 1);
                qsizetype k = j;
                if (k < rtf.size() && rtf[k] == '-') {
                    ++k;
                }
                while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k]))) {
                    ++k;
                }
                const int value = rtf.mid(j, k - j).toInt();
                if (k < rtf.size() && rtf[k] == ' ') {
                    ++k;
                }
                i = k - 1;
                if (word == "fonttbl") {
                    state.fontTable = true;
                } else if (word == "f" && !state.fontTable) {
                    state.font = value;
                } else if (word == "fs") {
                    state.halfPoints = value;
                } else if (word == "u") {
                    put(QChar(static_cast<char16_t>(static_cast<int16_t>(value))));
                    ++i; // the one fallback character
                } else if (word == "par") {
                    ++parsed.paragraphs;
                } else if (word == "line") {
                    put(QChar::LineSeparator);
                } else if (word == "tab") {
                    put(QLatin1Char('\t'));
                }
            }
        } else if (c != '\n' && c != '\r') {
            put(QLatin1Char(c));
        }
    }
    parsed.wellFormed = closedTopLevel == 1 && stack.isEmpty() && rtf.startsWith("{\\rtf1");
    return parsed;
}
