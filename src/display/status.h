// What is drawn over the playfield every frame after the world: the radar in the top-right
// corner, the energy bar on the right edge and one small ship per spare life.
#pragma once

constexpr int RADAR_SIZE = 100;
constexpr int RADAR_SCALE = 20;    // world pixels per radar pixel
constexpr int RADAR_RANGE = 1000;  // world pixels
constexpr int ENERGY_BAR_WIDTH = 4;
constexpr int ENERGY_BAR_HEIGHT = 100;

void statusDraw();
void radarDraw();
