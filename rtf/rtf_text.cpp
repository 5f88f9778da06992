#include "rtf/rtf_text.h"

namespace rtf {
namespace {

// RTF's \uN takes a signed 16-bit value; the '?' after it is what readers without Unicode show.
void AppendUnicodeEscape(QByteArray& out, char16_t unit) {
    out += "\\u";
    out += QByteArray::number(static_cast<int>(static_cast<int16_t>(unit)));
    out += '?';
}

} // namespace

void AppendEscapedText(QByteArray& out, QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
        case u'\\':
        case u'{':
        case u'}':
            out += '\\';
            out += static_cast<char>(c);
            continue;
        case u'\t':
            out += "\\tab ";
            continue;
        case QChar::LineSeparator:
            out += "\\line ";
            continue;
        case QChar::ParagraphSeparator:
        case u'\n':
            out += "\\par ";
            continue;
        case QChar::ObjectReplacementCharacter: // images and other objects are not copied
        case 0xFDD0:                            // Qt's frame markers
        case 0xFDD1:
            continue;
        default:
            break;
        }
        if (c < 0x20 || c == 0x7F) {
            continue; // control characters have no meaning as RTF text
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            AppendUnicodeEscape(out, c);
            AppendUnicodeEscape(out, text[++i].unicode());
        } else if (QChar::isHighSurrogate(c) || QChar::isLowSurrogate(c)) {
            // Half a pair as \uN makes LibreOffice drop the character after it.
            AppendUnicodeEscape(out, QChar::ReplacementCharacter);
        } else if (c > 0x7F) {
            AppendUnicodeEscape(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
}

} // namespace rtf
