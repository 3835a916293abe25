// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/wav.h"

#include <fstream>
#include <iterator>

namespace tj::sound {

namespace {

void put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xff);
  out += static_cast<char>((v >> 8) & 0xff);
}
void put32(std::string& out, uint32_t v) {
  put16(out, v & 0xffff);
  put16(out, v >> 16);
}
uint32_t get16(const std::string& in, std::size_t at) {
  return static_cast<uint8_t>(in[at]) | static_cast<uint32_t>(static_cast<uint8_t>(in[at + 1])) << 8;
}
uint32_t get32(const std::string& in, std::size_t at) { return get16(in, at) | get16(in, at + 2) << 16; }

constexpr uint32_t kFmtSize = 16;
constexpr uint32_t kPcm = 1;

}  // namespace

std::string encodeWav(const Wave& w) {
  const auto dataBytes = static_cast<uint32_t>(w.samples.size() * 2);
  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  put32(out, 36 + dataBytes);
  out += "WAVEfmt ";
  put32(out, kFmtSize);
  put16(out, kPcm);
  put16(out, 1);  // channels
  put32(out, static_cast<uint32_t>(w.rate));
  put32(out, static_cast<uint32_t>(w.rate) * 2);  // bytes per second
  put16(out, 2);                                  // bytes per frame
  put16(out, 16);                                 // bits per sample
  out += "data";
  put32(out, dataBytes);
  for (int16_t s : w.samples) put16(out, static_cast<uint16_t>(s));
  return out;
}

std::optional<Wave> decodeWav(const std::string& in) {
  if (in.size() < 12 || in.compare(0, 4, "RIFF") != 0 || in.compare(8, 4, "WAVE") != 0) return std::nullopt;
  bool haveFormat = false;
  Wave w;
  // Chunks: 4-byte id, 32-bit size, the body padded to an even length.
  for (std::size_t at = 12; at + 8 <= in.size();) {
    const std::string id = in.substr(at, 4);
    const uint32_t size = get32(in, at + 4);
    const std::size_t body = at + 8;
    if (size > in.size() - body) return std::nullopt;
    if (id == "fmt ") {
      if (size < kFmtSize || get16(in, body) != kPcm || get16(in, body + 2) != 1 || get16(in, body + 14) != 16)
        return std::nullopt;
      w.rate = static_cast<int>(get32(in, body + 4));
      if (w.rate < 1000 || w.rate > 192000) return std::nullopt;
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) return std::nullopt;
      w.samples.resize(size / 2);
      for (std::size_t i = 0; i < w.samples.size(); ++i)
        w.samples[i] = static_cast<int16_t>(static_cast<uint16_t>(get16(in, body + 2 * i)));
      return w;
    }
    at = body + size + (size & 1);
  }
  return std::nullopt;
}

bool writeWav(const std::filesystem::path& path, const Wave& w) {
  std::ofstream f(path, std::ios::binary);
  const std::string bytes = encodeWav(w);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f.flush());
}

std::optional<Wave> readWav(const std::filesystem::path& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return std::nullopt;
  const std::string bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  return decodeWav(bytes);
}

}  // namespace tj::sound
