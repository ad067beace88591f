// The special attack: seven ticks of charging, four ticks of a five-column
// beam that strikes once, and a closing tick.
#pragma once

// Plays the attack's next tick, if one is running.
void special_phase();
