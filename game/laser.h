// The player's laser: one shot at a time, straight up from the ship.
#pragma once

// Moves a laser in flight one row up and lets it strike the enemies there.
void laser_phase();
