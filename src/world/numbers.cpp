#include "world/numbers.h"

int worldWidth = 4096;
int worldHeight = 4096;
int enemyCount = 0;

double cameraX = 0;
double cameraY = 0;

Carryover carried{0.0, 0.0, 0.0};
