// A modal dialog that places itself at a fixed offset from the main window's top-left corner
// whenever it is shown or becomes active, wherever the user left it before.
#pragma once

#include <QDialog>
#include <QPoint>

class PlacedDialog : public QDialog {
    Q_OBJECT
public:
    PlacedDialog(QWidget& mainWindow, QPoint offset);

    // The activation handler: puts the dialog's frame at placement().
    void FormActivate();

    // Where the dialog's frame corner goes: the main window's plus the offset, in screen pixels.
    virtual QPoint placement() const;

    void setVisible(bool visible) override;

protected:
    bool event(QEvent* event) override;

    QWidget& mainWindow_;

private:
    QPoint offset_;
};

// Window flags of a fixed-size dialog: title and close box, no resizing, no minimise/maximise.
Qt::WindowFlags FixedDialogFlags();
