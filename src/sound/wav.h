// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tj::sound {

// The game's sound files: RIFF WAVE, PCM, 16 bit, one channel.
struct Wave {
  int rate = 22050;  // samples per second
  std::vector<int16_t> samples;
};

// The file's bytes for `w`.
std::string encodeWav(const Wave& w);
// The samples of a file in the game's format; nothing when the bytes are not such a file
// (another format, a cut-off or lying header). Unknown chunks are skipped.
std::optional<Wave> decodeWav(const std::string& bytes);

// Whole files; false / nothing when the file cannot be written or read.
bool writeWav(const std::filesystem::path& path, const Wave& w);
std::optional<Wave> readWav(const std::filesystem::path& path);

}  // namespace tj::sound
