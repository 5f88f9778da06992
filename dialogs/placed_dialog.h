// A modal dialog that places itself at a fixed offset from the main window's top-left corner
// whenever it is shown or becomes active, wherever the user left it before.
#pragma once

#include <QDialog>
#include <QPoint>

class PlacedDialog : public QDialog {
    Q_OBJECT
public:
    PlacedDialog(QWidget& mainWindow, QPoint offset);

    // The activation handler; dialogs that do more on activation extend it.
    virtual void FormActivate();

    // The main window's top-left corner plus the offset, in screen pixels.
    QPoint placement() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    QWidget& mainWindow_;
    QPoint offset_;
};

// Window flags of a fixed-size dialog: title and close box, no resizing, no minimise/maximise.
Qt::WindowFlags FixedDialogFlags();
