#pragma once

#include "core/animation/scene.h"

// The scene's figures, handed to the window in single precision as the runtime takes them.
inline void segment(Form &form, scene::Point from, scene::Point to)
{
    form.Line(static_cast<float>(from.x), static_cast<float>(from.y), static_cast<float>(to.x),
              static_cast<float>(to.y));
}

inline void circle(Form &form, scene::Point centre, double radius)
{
    form.Circle(static_cast<float>(centre.x), static_cast<float>(centre.y),
                static_cast<float>(radius));
}
