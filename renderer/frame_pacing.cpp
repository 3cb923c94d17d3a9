// The loop's pace and its rests.
#include "renderer/frame_pacing.h"

#include "renderer/renderer_state.h"

namespace {

constexpr int kDefaultRate = 60;
// Swaps that vsync paces can come a little early (a compositor's jitter, a
// display a little faster than its reported whole-number rate); an eighth
// of a period still counts as the display's.
constexpr long long kToleranceParts = 8;

}  // namespace

FramePacing framePacingFor(long long ticksPerSecond, int refreshHz, int swapInterval) {
    const long long interval = swapInterval > 1 ? swapInterval : 1;
    const long long period = refreshHz > 1 ? ticksPerSecond * interval / refreshHz : ticksPerSecond / kDefaultRate;
    return FramePacing{period, period / kToleranceParts, 0, false, ticksPerSecond};
}

void noteSwap(FramePacing& pacing, long long now) {
    const long long due = pacing.nextPass + pacing.period;
    const bool onTime = !pacing.started || now >= due - pacing.tolerance;
    pacing.nextPass = onTime ? now : due;
    pacing.started = true;
}

long long ticksUntilNextPass(const FramePacing& pacing, long long now) {
    return pacing.nextPass > now ? pacing.nextPass - now : 0;
}

bool scheduleInterrupted(const FramePacing& pacing, long long now) {
    return pacing.started && now - pacing.nextPass > pacing.second;
}

void noteDisplayState(unsigned long state) { displayOff = state == 0; }

void noteSessionChange(unsigned long event) {
    if (event == kConsoleDisconnect || event == kRemoteDisconnect) sessionDetached = true;
    if (event == kConsoleConnect || event == kRemoteConnect) sessionDetached = false;
}

bool lakeResting() { return displayOff || sessionDetached; }
