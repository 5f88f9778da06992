// Makes the twelve barcode typefaces available to this program only, without installing them,
// so that the programs work from the build tree and before `stria93 setup-fonts`.
#pragma once

#include <QString>
#include <QStringList>

struct LoadedBarcodeFonts {
    QStringList families; // the barcode typefaces registered from the folder, sorted
    QString error;        // names the folder and the missing faces; empty when all twelve loaded
};

// The twelve family names, Standard a..f then Human Readable a..f.
QStringList BarcodeFamilies();

// Registers every .ttf of the folder with QFontDatabase (a QGuiApplication must exist) and
// reports the barcode faces that it did not find there.
LoadedBarcodeFonts LoadBarcodeFonts(const QString& folder);

// The same for the folder the running program takes its typefaces from.
LoadedBarcodeFonts LoadBarcodeFonts();
