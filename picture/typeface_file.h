// Which file of the program's font folder holds a barcode typeface.
#pragma once

#include <QString>

namespace picture {

// The .ttf file of the font folder whose family name is this one (style Regular), or an empty
// text when the folder has none. Each family is looked for once per run.
QString TypefaceFile(const QString& family);

} // namespace picture
