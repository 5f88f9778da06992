#include "files/native_file_name.h"

namespace files {

namespace {

constexpr char16_t EscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence at bytes[at], or 0 when there is none.
int SequenceLength(const QByteArray& bytes, qsizetype at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    int length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if (lead < 0x80) {
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[at + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < minimum || surrogate || code > 0x10FFFF ? 0 : length;
}

} // namespace

QString DecodeFileName(const QByteArray& bytes) {
    QString name;
    qsizetype start = 0; // of the valid UTF-8 not yet decoded
    qsizetype at = 0;
    while (at < bytes.size()) {
        const int length = SequenceLength(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        name += QString::fromUtf8(bytes.constData() + start, at - start);
        name += QChar(EscapeBase + static_cast<unsigned char>(bytes[at]));
        start = ++at;
    }
    return name + QString::fromUtf8(bytes.constData() + start, at - start);
}

QByteArray EncodeFileName(const QString& name) {
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        const bool escaped = unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF &&
                             (i == 0 || !name[i - 1].isHighSurrogate());
        if (escaped) {
            bytes += name.mid(start, i - start).toUtf8();
            bytes += static_cast<char>(unit - EscapeBase);
            start = i + 1;
        }
    }
    return bytes + name.mid(start).toUtf8();
}

} // namespace files
