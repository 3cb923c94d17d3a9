// The music player's Windows calls: winmm's MCI strings, PlaySoundA and the
// wave-out device count.
#pragma once
#include "frontend/music.h"

MciPort& windowsMciPort();
