// SPDX-License-Identifier: GPL-3.0-or-later
#include "store_access.h"

#include "fuzz_support.h"
#include "store_common.h"

namespace tj::fuzz::store_access {

int fuzzOne(const uint8_t* data, size_t size) {
  readLikeTheGame(writeInput("fragen.mdb", data, size));
  return 0;
}

}  // namespace tj::fuzz::store_access
