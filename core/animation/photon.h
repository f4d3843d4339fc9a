#pragma once

#include "core/animation/scene.h"

// The arithmetic of one photon step, in plain C++. Points are in twips with y downward;
// directions count their second component upward.
namespace photon {

// The point reached by moving a step of the given length along the direction.
scene::Point freeStep(scene::Point from, scene::Point direction, double speed);

// The free step's end pulled toward the hole: moved toward the centre by the fraction
// pullConstant / r² of its remaining distance, r taken at the step's start. Raises the runtime's
// division-by-zero or overflow error where the arithmetic has no finite result.
scene::Point pulled(scene::Point from, scene::Point freeEnd);

double distance(scene::Point a, scene::Point b);

// The unit direction of the whole step, second component upward.
scene::Point direction(scene::Point from, scene::Point to, double length);

bool captured(scene::Point at);

} // namespace photon
