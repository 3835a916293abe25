// SPDX-License-Identifier: GPL-3.0-or-later
#include "store_sqlite.h"

#include "fuzz_support.h"
#include "store_common.h"

namespace tj::fuzz::store_sqlite {

int fuzzOne(const uint8_t* data, size_t size) {
  readLikeTheGame(writeInput("fragen.db", data, size));
  return 0;
}

}  // namespace tj::fuzz::store_sqlite
