// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>

namespace tj::fuzz::picture {
// The input as a picture file x.gif, probed and turned into a pixmap.
// Creates an offscreen QGuiApplication on first use when none exists.
int fuzzOne(const uint8_t* data, size_t size);
}  // namespace tj::fuzz::picture
