// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "screens/sound.h"
#include "sound/wav.h"

namespace tj::soundgen {

constexpr int kRate = 22050;

// One sound of the game, synthesised: the same samples on every run (the noise comes from
// a fixed-seed generator). Floating-point maths, so another libm may differ by a unit in
// the last sample bit.
sound::Wave synthesise(Sound s);

}  // namespace tj::soundgen
