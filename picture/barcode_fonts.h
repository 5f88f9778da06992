// Makes the twelve barcode typefaces available to this program only, without installing them,
// so that the programs work from the build tree and before `stria93 setup-fonts`.
#pragma once

#include "result/result.h"

#include <QString>
#include <QStringList>

// The twelve family names, Standard a..f then Human Readable a..f.
QStringList BarcodeFamilies();

// Registers every .ttf of the folder with QFontDatabase (a QGuiApplication must exist): the
// barcode typefaces registered from it, sorted.
QStringList RegisterBarcodeFonts(const QString& folder);

// Fails, naming the folder and the missing faces, unless all twelve are among the registered.
Result<> CheckBarcodeFonts(const QStringList& registered, const QString& folder);

// Both, for the folder: fails when any of the twelve is missing from it.
Result<> LoadBarcodeFonts(const QString& folder);

// The same for the folder the running program takes its typefaces from.
Result<> LoadBarcodeFonts();
