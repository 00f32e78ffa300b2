// The calculation driver: runs every check of the current case in the fixed order.
#pragma once

namespace velmora {

struct State;
class Notifier;

// Clears calcMessage, runs the checks the case asks for and fills the result panels. A run
// that faults stops at the failing check, hands calcMessage to the notifier and returns false;
// the panels of that check and later ones keep what they held.
bool calcAll(State& st, Notifier& nt);

} // namespace velmora
