// Lets a source file of the main window connect its own handlers to the window's controls
// without editing the window's constructor. See the top of stria_input.h.
#pragma once

class TStriaInput;

namespace stria {

using Wiring = void (*)(TStriaInput& window);

// Call once per file, from a namespace-scope constant; every window built afterwards runs the
// wiring at the end of its constructor. Returns true, to initialise that constant.
bool RegisterWiring(Wiring wiring);

// Runs every registered wiring on the window.
void RunWirings(TStriaInput& window);

} // namespace stria
