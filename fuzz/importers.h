// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>

namespace tj::fuzz::importers {
// The input as spreadsheet text, GIFT and Aiken, and the accepted questions measured for fairness.
int fuzzOne(const uint8_t* data, size_t size);
}  // namespace tj::fuzz::importers
