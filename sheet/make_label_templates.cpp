// Build tool: writes the empty RTF template of every stock sheet into a folder.
//     make_label_templates --out DIR [--show-borders]
#include "sheet_rtf.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const qsizetype out = args.indexOf(QStringLiteral("--out"));
    if (out < 0 || out + 1 >= args.size()) {
        std::fputs("usage: make_label_templates --out DIR [--show-borders]\n", stderr);
        return 2;
    }
    const QDir folder(args[out + 1]);
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }
    const bool borders = args.contains(QStringLiteral("--show-borders"));
    for (const sheet::LabelStock& stock : sheet::LabelStocks()) {
        QSaveFile file(folder.filePath(stock.templateFile));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(sheet::TemplateRtf(stock, borders)) < 0 || !file.commit()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(file.fileName()),
                         qPrintable(file.errorString()));
            return 1;
        }
    }
    return 0;
}
