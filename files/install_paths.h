// Where the files that come with the program live: next to the build tree when the program runs
// from it, else under the install prefix that holds the running program (<prefix>/bin/..).
#pragma once

#include <QString>

namespace installpaths {

QString FontDirectory();       // the twelve barcode typefaces
QString DataDirectory();       // first contents of the user's data folder: settings file, templates
QString DocDirectory();        // stria.chm and Strias.pdf
QString HtmlManualDirectory(); // the manual's HTML pages, with their pictures

} // namespace installpaths
