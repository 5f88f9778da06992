// File names as the system has them: bytes, usually but not always UTF-8. Bytes that are not
// UTF-8 travel through QString as the lone surrogates U+DC80..U+DCFF (which valid UTF-8 never
// gives), so that a file is written under exactly the name it was given.
#pragma once

#include <QByteArray>
#include <QString>

namespace files {

QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& name);

} // namespace files
