// SPDX-License-Identifier: GPL-3.0-or-later
// Sound generator: synthesises every sound of the game and writes it as WAV into
// ASSETS/app/<sound folder>/.
//   tankjagd-soundgen ASSETS                      writes all sounds
//   tankjagd-soundgen --play FOLDER [FILE...]     plays the sounds found in FOLDER/<sound folder>
//                                                 (all, or the named files) through the game's player
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "sound/pulse_player.h"
#include "synth.h"

namespace {

int play(int argc, char** argv) {
  tj::sound::PulsePlayer player({argv[2]}, [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
  for (tj::Sound s : tj::kAllSounds) {
    bool wanted = argc == 3;
    for (int i = 3; i < argc; ++i) wanted = wanted || tj::soundFile(s) == argv[i];
    if (!wanted) continue;
    player.play(s);
    player.finish();
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--play") == 0) return play(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "Aufruf: %s ASSETS-ORDNER | --play ORDNER [DATEI...]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = std::filesystem::path(argv[1]) / "app" / std::string(tj::kSoundFolder);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  int failed = 0;
  for (tj::Sound s : tj::kAllSounds) {
    const std::filesystem::path file = folder / std::string(tj::soundFile(s));
    if (!tj::sound::writeWav(file, tj::soundgen::synthesise(s))) {
      std::fprintf(stderr, "%s: kann nicht geschrieben werden\n", file.c_str());
      ++failed;
    }
  }
  return failed ? 1 : 0;
}
