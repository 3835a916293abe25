// SPDX-License-Identifier: GPL-3.0-or-later
// A sound never stops the turn that asked for it: when no worker thread can be started the
// player stays silent for the rest of the run and tells the maintainer once.
#include <gtest/gtest.h>

#include <system_error>

#include "sound/pulse_player.h"

namespace tj::sound {
namespace {

TEST(PulsePlayer, aWorkerThatCannotStartMeansSilenceNotAnError) {
  std::vector<std::string> warned;
  int starts = 0;
  PulsePlayer player(
      {}, [&](const std::string& line) { warned.push_back(line); },
      [&](const std::function<void()>&) {
        ++starts;
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
      });
  EXPECT_NO_THROW(player.play(Sound::Roll));
  EXPECT_NO_THROW(player.play(Sound::DriveOut));
  EXPECT_EQ(starts, 1) << "a player that could not start does not try at every sound";
  ASSERT_EQ(warned.size(), 1u);
  EXPECT_EQ(warned[0].rfind("Ton aus: ", 0), 0u) << warned[0];
}

}  // namespace
}  // namespace tj::sound
