// SPDX-License-Identifier: GPL-3.0-or-later
// The committed sounds are the generator's output, and the WAV reader refuses what the
// player could not play.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "synth.h"

namespace tj {
namespace {

// Compared decoded, within two units of the last bit: the synthesis is floating point, and
// another libm may round a sine differently.
TEST(Sounds, committedFilesAreWhatTheGeneratorMakesShortAndAudible) {
  for (Sound s : kAllSounds) {
    const std::string file = std::string(soundFile(s));
    const auto committed = sound::readWav(std::string(TJ_SOUNDS_DIR) + "/" + file);
    ASSERT_TRUE(committed) << file;
    const sound::Wave made = soundgen::synthesise(s);
    EXPECT_EQ(committed->rate, made.rate) << file;
    ASSERT_EQ(committed->samples.size(), made.samples.size()) << file;
    int worst = 0, peak = 0;
    for (std::size_t i = 0; i < made.samples.size(); ++i) {
      worst = std::max(worst, std::abs(made.samples[i] - committed->samples[i]));
      peak = std::max(peak, std::abs(int(made.samples[i])));
    }
    EXPECT_LE(worst, 2) << file;
    EXPECT_GT(peak, 3000) << file << " is nearly silent";
    EXPECT_LT(made.samples.size(), std::size_t(made.rate)) << file << " lasts a second or more";
    // Starts and ends quietly: no click.
    EXPECT_LT(std::abs(made.samples.front()) + std::abs(made.samples.back()), 200) << file;
  }
}

TEST(Wav, roundTripsAndRefusesOtherFormatsAndCutFiles) {
  const sound::Wave w{8000, {0, 1, -1, 32767, -32768}};
  const std::string bytes = sound::encodeWav(w);
  const auto back = sound::decodeWav(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->rate, 8000);
  EXPECT_EQ(back->samples, w.samples);

  auto patched = [&](std::size_t at, char c) { return bytes.substr(0, at) + c + bytes.substr(at + 1); };
  const std::pair<const char*, std::string> bad[] = {
      {"empty", ""},
      {"not RIFF", patched(0, 'X')},
      {"not PCM", patched(20, 3)},
      {"stereo", patched(22, 2)},
      {"8 bit", patched(34, 8)},
      {"data size beyond the end", patched(41, 0x7f)},
      {"cut inside the data", bytes.substr(0, bytes.size() - 2)},
      {"no data chunk", bytes.substr(0, 36)},
  };
  for (const auto& [what, b] : bad) EXPECT_FALSE(sound::decodeWav(b)) << what;
}

}  // namespace
}  // namespace tj
