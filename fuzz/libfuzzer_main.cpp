// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer's entry: forwards to the target's fuzzOne, chosen at build time
// by TJ_FUZZ_HEADER and TJ_FUZZ_ENTRY.
#include <cstddef>
#include <cstdint>

#include TJ_FUZZ_HEADER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return TJ_FUZZ_ENTRY(data, size); }
