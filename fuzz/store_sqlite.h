// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>

namespace tj::fuzz::store_sqlite {
// The input as an SQLite file, read as the game's dialogs read it.
int fuzzOne(const uint8_t* data, size_t size);
}  // namespace tj::fuzz::store_sqlite
