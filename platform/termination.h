// The end of a session (SIGTERM, SIGHUP) or Ctrl+C in a terminal (SIGINT) closes the window as
// its close box would, so that the close routine keeps the user's settings.
#pragma once

class QWidget;

namespace platform {

// From now on until the program ends; open dialogs are closed first.
void CloseOnTermination(QWidget& window);

} // namespace platform
