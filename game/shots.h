// Enemy shots: they fall, strike the ship, and end the game when its
// health runs out.
#pragma once

// Moves every live shot in list order and lets it strike the ship.
void shot_phase();
