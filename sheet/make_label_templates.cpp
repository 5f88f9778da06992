// Build tool: writes the empty RTF template of every stock sheet into a folder.
//     make_label_templates --out DIR [--show-borders]
#include "files/regular_file.h"
#include "sheet/sheet_rtf.h"

#include <QCoreApplication>
#include <QDir>
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
        const QString path = folder.filePath(stock.templateFile);
        const Result<> written = files::ReplaceFile(path, sheet::TemplateRtf(stock, borders));
        if (!written) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(written.error()));
            return 1;
        }
    }
    return 0;
}
