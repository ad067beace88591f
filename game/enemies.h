// What every kind of enemy does in a tick. The only place that draws
// random numbers.
#pragma once

// Every live enemy of the current wave acts once, in list order.
void enemy_phase();
