// What a drawing command needs of Qt without a display: a QGuiApplication on the offscreen
// platform (unless the caller chose one), Qt's chatter kept off standard error, and the barcode
// typefaces loaded.
#pragma once

#include "picture/barcode_fonts.h"

#include <QGuiApplication>
#include <memory>

namespace cli {

class GuiSession {
public:
    GuiSession();
    ~GuiSession();

    // The reason the typeface is missing, for a message that names it; empty when it is there.
    QString missingFaceNote(const QString& face) const;

private:
    std::unique_ptr<QGuiApplication> app_;
    QStringList families_; // the barcode typefaces registered from the font folder
    Result<> fonts_;       // fails naming the faces missing from it
};

} // namespace cli
