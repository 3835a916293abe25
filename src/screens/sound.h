// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace tj {

// The sounds of the race. The screens say which one an event plays; how it is played is
// the front end's business.
enum class Sound : uint8_t { Roll, DriveOut, Right, Wrong, Card, Skip, Win };

inline constexpr std::array kAllSounds = {Sound::Roll, Sound::DriveOut, Sound::Right, Sound::Wrong,
                                          Sound::Card, Sound::Skip,     Sound::Win};

// The file of each sound in the folder "toene" beside the picture folders; the sound
// generator writes these names and the player reads them.
inline constexpr std::string_view kSoundFolder = "toene";
constexpr std::string_view soundFile(Sound s) {
  switch (s) {
    case Sound::Roll:
      return "wuerfeln.wav";
    case Sound::DriveOut:
      return "losfahren.wav";
    case Sound::Right:
      return "richtig.wav";
    case Sound::Wrong:
      return "falsch.wav";
    case Sound::Card:
      return "aktionskarte.wav";
    case Sound::Skip:
      return "aussetzen.wav";
    case Sound::Win:
      return "gewonnen.wav";
  }
  return {};
}

// Plays a sound without waiting for it; a player that cannot play stays silent.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  virtual void play(Sound s) = 0;
};

}  // namespace tj
