#pragma once

class Form;

// The Start button's handler: the whole animation, in one call.
void comStartClick(Form &form);

// A ray's angle in radians, counted from the right and upward.
double rayAngle(int rayIndex);
