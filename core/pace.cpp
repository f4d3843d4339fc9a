#include "core/pace.h"

namespace pace {

void Schedule::start(Clock::time_point now)
{
    late_ = {};
    since_ = now;
}

std::optional<Clock::time_point> Schedule::wait(Clock::time_point deadline, Clock::time_point now)
{
    const Clock::time_point target = deadline - late_;
    if (target - now < ahead && now - since_ < busy) {
        late_ = now - target;
        return std::nullopt;
    }
    target_ = target;
    return target;
}

void Schedule::resumed(Clock::time_point now)
{
    since_ = now;
    late_ = now - target_;
}

} // namespace pace
