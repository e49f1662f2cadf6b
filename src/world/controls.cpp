#include "world/controls.h"

Controls controls;
