// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>

namespace tj::fuzz::store_access {
// The input as an Access file, read through the store (reader in a child process).
int fuzzOne(const uint8_t* data, size_t size);
}  // namespace tj::fuzz::store_access
