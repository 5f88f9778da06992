// Whether a barcode printed on a printer's dots has every bar and space a whole number of
// modules: the rows through its bars (the tallest band of identical rows in the area) are cut
// into runs of dark and light between the first and the last dark dot, and each run must be 1 to
// 4 modules of exactly moduleDots dots. Printers draw PDFs this way: pdftoppm -mono -aa no.
#pragma once

#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

namespace dotruns {

// The PDF's first page at dpi, bi-level, as a printer without smoothing draws it; an SVG drawn by
// librsvg at dpi and cut at half grey.
inline QImage PrintedBiLevel(const QString& file, int dpi) {
    const QString out = file + QStringLiteral("-%1").arg(dpi);
    QProcess p;
    if (file.endsWith(QStringLiteral(".svg"))) {
        p.start(QStringLiteral("rsvg-convert"),
                {QStringLiteral("-d"), QString::number(dpi), QStringLiteral("-p"),
                 QString::number(dpi), QStringLiteral("-b"), QStringLiteral("white"),
                 QStringLiteral("-o"), out + QStringLiteral(".png"), file});
    } else {
        p.start(QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-mono"),
                 QStringLiteral("-aa"), QStringLiteral("no"), QStringLiteral("-aaVector"),
                 QStringLiteral("no"), QStringLiteral("-singlefile"), file, out});
    }
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        return {};
    }
    QImageReader::setAllocationLimit(0); // a Letter page at 1200 dpi is 135 million dots
    const QImage drawn(out + (file.endsWith(QStringLiteral(".svg")) ? QStringLiteral(".png")
                                                                    : QStringLiteral(".pbm")));
    QImage grey = drawn.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y) {
        uchar* row = grey.scanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            row[x] = row[x] < 128 ? 0 : 255;
        }
    }
    return grey;
}

// Empty when every run is whole modules, else what is wrong.
inline QString WholeModuleRuns(const QImage& bilevel, QRect area, int moduleDots) {
    area &= bilevel.rect();
    auto rowOf = [&](int y) {
        return QByteArray(reinterpret_cast<const char*>(bilevel.constScanLine(y)) + area.left(),
                          area.width());
    };
    int bestTop = -1;
    int bestHeight = 0;
    for (int y = area.top(); y <= area.bottom();) {
        const QByteArray row = rowOf(y);
        int end = y + 1;
        while (end <= area.bottom() && rowOf(end) == row) {
            ++end;
        }
        if (row.contains('\0') && end - y > bestHeight) {
            bestTop = y;
            bestHeight = end - y;
        }
        y = end;
    }
    if (bestTop < 0) {
        return QStringLiteral("no bars");
    }
    const QByteArray row = rowOf(bestTop);
    const qsizetype first = row.indexOf('\0');
    const qsizetype last = row.lastIndexOf('\0');
    QStringList wrong;
    int runs = 0;
    for (qsizetype x = first; x <= last;) {
        qsizetype end = x;
        while (end <= last && row[end] == row[x]) {
            ++end;
        }
        const auto length = static_cast<int>(end - x);
        ++runs;
        if (length % moduleDots != 0 || length / moduleDots < 1 || length / moduleDots > 4) {
            wrong << QStringLiteral("%1 dots at %2").arg(length).arg(area.left() + x);
        }
        x = end;
    }
    if (runs < 20) {
        return QStringLiteral("only %1 runs in row %2").arg(runs).arg(bestTop);
    }
    return wrong.isEmpty() ? QString()
                           : QStringLiteral("runs not whole modules of %1 dots in row %2: %3")
                                 .arg(moduleDots)
                                 .arg(bestTop)
                                 .arg(wrong.join(QStringLiteral(", ")));
}

} // namespace dotruns
