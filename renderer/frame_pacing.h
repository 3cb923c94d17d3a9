// When the main loop runs its next pass. Where vertical sync holds, the
// buffer swap waits for the display and the loop simply follows it. Where it
// does not (no swap control, a virtual machine or remote desktop, vsync
// forced off in the driver, a display asleep), swaps come back at once; the
// loop then waits out the rest of the period itself, so the animation,
// counted in frames, keeps its speed and no core is spun. And while nobody
// can see the lake (the display off, the session connected to no display)
// it runs no pass at all.
#pragma once

// Times are ticks of whatever clock the caller reads, counting upwards.
struct FramePacing {
    long long period;     // ticks between passes at the chosen rate
    long long tolerance;  // how much sooner than a period a swap may come and still be the display's
    long long nextPass;   // the earliest time the next pass may begin
    bool started;         // a swap has been seen
    long long second;     // ticks in a second
};

// The pace of refreshHz / swapInterval passes a second, as the swap
// interval asks of the display; 60 a second when the refresh rate is not
// known (0 or 1, the hardware's default).
FramePacing framePacingFor(long long ticksPerSecond, int refreshHz, int swapInterval);

// Records a swap that returned at now. A swap that comes about a period (or
// more) after the last pass began is the display's own pace, or a slow
// frame: the next pass may begin at once, and after a long frame the
// schedule starts from there instead of catching up. A swap that comes
// sooner means vertical sync is not holding: the next pass waits for its
// place in the schedule.
void noteSwap(FramePacing& pacing, long long now);

// Ticks to wait before the next pass; 0 when it may begin now.
long long ticksUntilNextPass(const FramePacing& pacing, long long now);

// True when a pass that may begin at now finds more than a second gone
// since the schedule's place: the system slept (some resume without a
// word), or the lake rested. The displays may have changed meanwhile; the
// caller looks at them again and starts the schedule afresh.
bool scheduleInterrupted(const FramePacing& pacing, long long now);

// The display's state as the system reports it: 0 off, 1 on, 2 dimmed.
void noteDisplayState(unsigned long state);

// A session change as the system reports it (the codes below); others, a
// lock among them, change nothing: a locked session may still show the lake.
constexpr unsigned long kConsoleConnect = 1;
constexpr unsigned long kConsoleDisconnect = 2;
constexpr unsigned long kRemoteConnect = 3;
constexpr unsigned long kRemoteDisconnect = 4;
void noteSessionChange(unsigned long event);

// True while the display is off or the session is connected to no display:
// no pass is drawn or swapped, and the loop only waits for messages.
bool lakeResting();
