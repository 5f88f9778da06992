#include "clipboard/rtf_writer.h"

#include "rtf/rtf_text.h"

#include <QFont>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace clipboard {
namespace {

// The face and size a run is drawn with: its own properties, the document's default for the rest.
struct RunStyle {
    QString family;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

RunStyle StyleOf(const QTextCharFormat& format, const QFont& documentFont) {
    const QFont font = format.font().resolve(documentFont);
    RunStyle style;
    const QStringList families = font.families();
    style.family = families.isEmpty() ? font.family() : families.front();
    double points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0) {
        points = font.pixelSize() * 72.0 / 96.0; // Qt's logical 96 dpi
    }
    if (points > 0) {
        style.halfPoints = std::max(1, static_cast<int>(std::lround(points * 2)));
    }
    style.bold = font.bold();
    style.italic = font.italic();
    style.underline = font.underline();
    return style;
}

struct Run {
    int block = 0;
    RunStyle style;
    QString text;
};

// The runs of the selection, clipped to it, in document order, with the index of their paragraph.
QList<Run> RunsOf(const QTextCursor& selection) {
    QList<Run> runs;
    const QTextDocument* document = selection.document();
    if (document == nullptr) {
        return runs;
    }
    const int start = selection.selectionStart();
    const int end = selection.selectionEnd();
    const QFont documentFont = document->defaultFont();
    int blockIndex = 0;
    for (QTextBlock block = document->findBlock(start); block.isValid() && block.position() <= end;
         block = block.next(), ++blockIndex) {
        bool empty = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = std::max(start, fragment.position());
            const int to = std::min(end, fragment.position() + fragment.length());
            if (from >= to) {
                continue;
            }
            empty = false;
            runs.append({blockIndex, StyleOf(fragment.charFormat(), documentFont),
                         fragment.text().mid(from - fragment.position(), to - from)});
        }
        if (empty) {
            // An empty paragraph still ends a line; it keeps the block's character format.
            runs.append({blockIndex, StyleOf(block.charFormat(), documentFont), QString()});
        }
    }
    return runs;
}

} // namespace

bool CanNameFontInRtf(const QString& family) {
    for (qsizetype i = 0; i < family.size(); ++i) {
        const char16_t c = family[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < family.size() &&
            QChar::isLowSurrogate(family[i + 1].unicode())) {
            ++i;
            continue;
        }
        const bool endsOrEscapes = c == u';' || c == u'{' || c == u'}' || c == u'\\';
        const bool notWrittenAsItself =
            c < 0x20 || c == 0x7F || c == QChar::LineSeparator || c == QChar::ParagraphSeparator ||
            c == QChar::ObjectReplacementCharacter || c == 0xFDD0 || c == 0xFDD1 ||
            QChar::isHighSurrogate(c) || QChar::isLowSurrogate(c);
        if (endsOrEscapes || notWrittenAsItself) {
            return false;
        }
    }
    return true;
}

QByteArray RtfFromSelection(const QTextCursor& selection) {
    const QList<Run> runs = RunsOf(selection);

    QStringList families;
    for (const Run& run : runs) {
        if (!families.contains(run.style.family)) {
            families.append(run.style.family);
        }
    }
    if (families.isEmpty() && selection.document() != nullptr) {
        families.append(StyleOf({}, selection.document()->defaultFont()).family);
    }

    if (!std::all_of(families.begin(), families.end(), CanNameFontInRtf)) {
        return {};
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\n{\\fonttbl";
    for (qsizetype i = 0; i < families.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
        rtf::AppendEscapedText(out, families[i]);
        out += ";}";
    }
    out += "}\n{\\*\\generator Stria " STRIA_VERSION ";}\n\\pard\\plain\n";

    int block = runs.isEmpty() ? 0 : runs.front().block;
    for (const Run& run : runs) {
        if (run.block != block) {
            out += "\\par\n";
            block = run.block;
        }
        const RunStyle& s = run.style;
        out += "{\\f" + QByteArray::number(families.indexOf(s.family)) + "\\fs" +
               QByteArray::number(s.halfPoints);
        if (s.bold) {
            out += "\\b";
        }
        if (s.italic) {
            out += "\\i";
        }
        if (s.underline) {
            out += "\\ul";
        }
        out += ' ';
        rtf::AppendEscapedText(out, run.text);
        out += "}";
    }
    out += "\n}";
    return out;
}

} // namespace clipboard
