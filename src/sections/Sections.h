// Stiffener and ring-frame sections: working dimensions, section properties, the governing
// thickness and yield look-up, the local-buckling proportion texts (Ch 3.10) and the profile
// description.
#pragma once

#include <cstdint>

namespace velmora {

struct State;
class Notifier;

void computeStiffenerSection(State& st, Notifier& nt, int16_t kind);
void computeRingSection(State& st, Notifier& nt, int16_t kind);

} // namespace velmora
