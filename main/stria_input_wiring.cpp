#include "stria_input_wiring.h"

#include <vector>

namespace stria {
namespace {

// A function-local list, so that registrations from other files' constants find it built.
std::vector<Wiring>& Wirings() {
    static std::vector<Wiring> wirings;
    return wirings;
}

} // namespace

bool RegisterWiring(Wiring wiring) {
    Wirings().push_back(wiring);
    return true;
}

void RunWirings(TStriaInput& window) {
    for (const Wiring wiring : Wirings()) {
        wiring(window);
    }
}

} // namespace stria
