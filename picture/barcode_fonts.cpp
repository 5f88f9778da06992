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

QStringList RegisterBarcodeFonts(const QString& folder) {
    const QDir dir(folder);
    QStringList registered;
    for (const QString& file : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files)) {
        const int id = QFontDatabase::addApplicationFont(dir.filePath(file));
        if (id >= 0) {
            registered << QFontDatabase::applicationFontFamilies(id);
        }
    }
    QStringList families;
    for (const QString& family : BarcodeFamilies()) {
        if (registered.contains(family)) {
            families << family;
        }
    }
    families.sort();
    return families;
}

Result<> CheckBarcodeFonts(const QStringList& registered, const QString& folder) {
    QStringList missing;
    for (const QString& family : BarcodeFamilies()) {
        if (!registered.contains(family)) {
            missing << family;
        }
    }
    if (!missing.isEmpty()) {
        return Failure{QStringLiteral("The barcode typefaces %1 are missing from the folder %2.")
                           .arg(missing.join(QStringLiteral(", ")),
                                QDir::toNativeSeparators(QDir(folder).absolutePath()))};
    }
    return {};
}

Result<> LoadBarcodeFonts(const QString& folder) {
    return CheckBarcodeFonts(RegisterBarcodeFonts(folder), folder);
}

Result<> LoadBarcodeFonts() {
    return LoadBarcodeFonts(installpaths::FontDirectory());
}
