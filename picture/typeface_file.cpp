#include "typeface_file.h"

#include "install_paths.h"

#include <QDir>
#include <QHash>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace picture {

namespace {

QHash<QString, QString> FilesByFamily() {
    QHash<QString, QString> files;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return files;
    }
    const QDir dir(installpaths::FontDirectory());
    for (const QString& name : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files)) {
        const QString path = dir.filePath(name);
        FT_Face face = nullptr;
        if (FT_New_Face(library, QFile::encodeName(path).constData(), 0, &face) != 0) {
            continue;
        }
        if (face->family_name && face->style_name && qstrcmp(face->style_name, "Regular") == 0) {
            files.insert(QString::fromUtf8(face->family_name), path);
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return files;
}

} // namespace

QString TypefaceFile(const QString& family) {
    static const QHash<QString, QString> files = FilesByFamily();
    return files.value(family);
}

} // namespace picture
