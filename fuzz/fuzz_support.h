// SPDX-License-Identifier: GPL-3.0-or-later
// Shared pieces of the fuzz entry functions: every input becomes a file in a
// private temporary folder, because the store and the picture loader read files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace tj::fuzz {

// Writes the bytes to `name` inside a folder of this process (made on first
// use, removed at exit) and returns the file's path. Aborts when the file
// cannot be written: the run would test nothing.
std::filesystem::path writeInput(std::string_view name, const uint8_t* data, size_t size);

}  // namespace tj::fuzz
