// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>

namespace tj::fuzz::access_here {
// The input as an Access file, read by the Access reader in this process, so
// that a memory error in the reader or in mdbtools is seen, not contained.
int fuzzOne(const uint8_t* data, size_t size);
}  // namespace tj::fuzz::access_here
