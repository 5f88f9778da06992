#include "picture/barcode_fonts.h"

#include "encoding/code93.h"
#include "files/install_paths.h"

#include <QDir>
#include <QFontDatabase>

QStringList BarcodeFamilies() {
    QStringList names;
    for (const auto style : {code93::Style::Standard, code93::Style::HumanReadable}) {
        for (char16_t letter = u'a'; letter <= u'f'; ++letter) {
            names << QString::fromStdU16String(code93::FaceName(style, letter));
        }
    }
    return names;
}

LoadedBarcodeFonts LoadBarcodeFonts(const QString& folder) {
    const QDir dir(folder);
    QStringList registered;
    for (const QString& file : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files)) {
        const int id = QFontDatabase::addApplicationFont(dir.filePath(file));
        if (id >= 0) {
            registered << QFontDatabase::applicationFontFamilies(id);
        }
    }

    LoadedBarcodeFonts result;
    QStringList missing;
    for (const QString& family : BarcodeFamilies()) {
        if (registered.contains(family)) {
            result.families << family;
        } else {
            missing << family;
        }
    }
    result.families.sort();
    if (!missing.isEmpty()) {
        result.error = QStringLiteral("The barcode typefaces %1 are missing from the folder %2.")
                           .arg(missing.join(QStringLiteral(", ")),
                                QDir::toNativeSeparators(dir.absolutePath()));
    }
    return result;
}

LoadedBarcodeFonts LoadBarcodeFonts() {
    return LoadBarcodeFonts(installpaths::FontDirectory());
}
