// Values of a check that depend on the geometry alone, kept from the first load case of a run
// for the others.
#pragma once

#include <optional>

namespace velmora {

// The value in `slot`, or the one `work` makes, kept there. Each value is worked out at its own
// place in the check, so that a check that keeps its values repeats none of them after the first
// time and a fault still comes from the same operation as without them.
template <class T, class F> const T& keep(std::optional<T>& slot, F work) {
    if (!slot)
        slot = work();
    return *slot;
}

} // namespace velmora
