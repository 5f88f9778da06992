// Qt's file dialog keeps its folder history, sidebar and view in ~/.config/QtProject.conf and
// writes that file whenever one is destroyed. Everything this program remembers lives in its own
// settings file: the dialog's state lasts for the run only, held by the one file dialog.
#pragma once

namespace platform {

// Gives the state Qt's dialogs keep between runs no file to read or write; call it before the
// first dialog is created.
void KeepDialogStateForTheRunOnly();

} // namespace platform
