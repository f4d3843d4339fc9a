#pragma once

class Form;

// Steps the photon of one ray from the emission point, drawing each step as it goes and
// waiting the pace after it, until the hole captures it or the step limit is reached. For the
// ray sent straight up it also plots the photon's speed against its height. Returns the steps.
int tracePhoton(Form &form, int rayIndex, double angle, double &previousPlotY);
