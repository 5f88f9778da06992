#include "picture/typeface_file.h"

#include "encoding/typeface_names.h"
#include "files/install_paths.h"

#include <QDir>
#include <QHash>
#include <ft2build.h>
#include <mutex>
#include FT_FREETYPE_H

namespace picture {

namespace {

// The family of a Regular face in the file, or an empty text.
QString FamilyOf(FT_Library library, const QString& path) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, QFile::encodeName(path).constData(), 0, &face) != 0) {
        return {};
    }
    QString family;
    if (face->family_name && face->style_name && qstrcmp(face->style_name, "Regular") == 0) {
        family = QString::fromUtf8(face->family_name);
    }
    FT_Done_Face(face);
    return family;
}

// The name the font generator gives the family's file: "Sample 93 d HR" in sample93d-hr.ttf.
QString GeneratedFileName(const QString& family) {
    for (const typefaces::Typeface& typeface : typefaces::All) {
        if (family == QString::fromUtf16(typeface.family)) {
            return QString::fromLatin1(typeface.file);
        }
    }
    return {};
}

QString FindFile(const QString& family) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return {};
    }
    const QDir dir(installpaths::FontDirectory());
    // Only the one file where it is expected is opened, unless someone renamed the files.
    QString found = dir.filePath(GeneratedFileName(family));
    if (FamilyOf(library, found) != family) {
        found.clear();
        for (const QString& name : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files)) {
            if (FamilyOf(library, dir.filePath(name)) == family) {
                found = dir.filePath(name);
                break;
            }
        }
    }
    FT_Done_FreeType(library);
    return found;
}

} // namespace

QString TypefaceFile(const QString& family) {
    static std::mutex mutex;
    static QHash<QString, QString> files;
    const std::lock_guard lock(mutex);
    if (const auto known = files.constFind(family); known != files.cend()) {
        return *known;
    }
    return *files.insert(family, FindFile(family));
}

} // namespace picture
