#pragma once

#include <chrono>
#include <optional>

// The pace schedule every front end keeps a handler's waits by. A wait is a fraction of a
// millisecond, while a sleep lasts a millisecond or more and a front end must show the drawing
// and hear its window system about once a frame. So the handler runs on through its waits until
// it is a frame ahead of the clock, or has kept the front end busy for a quarter of a frame, and
// only then sleeps, once. Whatever it overslept or ran ahead is carried into the waits that
// follow, so a run keeps its length however coarse the sleeps are.
namespace pace {

using Clock = std::chrono::steady_clock;

// A display frame, rounded down to whole milliseconds.
inline constexpr std::chrono::milliseconds frame{16};
// How far the handler may run ahead of the clock.
inline constexpr std::chrono::milliseconds ahead = frame;
// How long it may keep the front end from showing what it drew. The first slice of a run holds
// the click's own work, so the shorter this is, the sooner the first figures show.
inline constexpr std::chrono::milliseconds busy = frame / 4;

class Schedule
{
public:
    // A handler starts: it owes nothing from the last one's waits.
    void start(Clock::time_point now);
    // A wait until the deadline: nothing when the handler goes on at once, or else the time to
    // sleep until, after which the front end calls resumed().
    std::optional<Clock::time_point> wait(Clock::time_point deadline, Clock::time_point now);
    void resumed(Clock::time_point now);

private:
    Clock::duration late_{};    // behind the waits' deadlines; negative when ahead of them
    Clock::time_point since_{}; // when the handler last started or resumed
    Clock::time_point target_{};
};

} // namespace pace
