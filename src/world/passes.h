// The two passes of every frame: update every live entity, then draw every live entity
// and the frame-rate and enemy-count numbers.
#pragma once

void worldUpdate(double seconds);
void worldDraw();
