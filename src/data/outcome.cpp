// SPDX-License-Identifier: GPL-3.0-or-later
// Byte form of a table read, as sent from the reading process to the game:
//   "TJS1" u8 status (0 = snapshot, else 1 + Fault)
//   snapshot: u32 fields, each a string; u32 records; per cell u8 (0 = no value,
//   1 = value) and then a string; a string is u32 length + bytes
//   "END!"
// Integers are little-endian.
#include <cstring>

#include "data/detail.h"

namespace tj::data::detail {

void putU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void putString(std::string& out, std::string_view s) {
  putU32(out, static_cast<std::uint32_t>(s.size()));
  out += s;
}

bool ByteReader::literal(std::string_view expected) {
  if (!rest_.starts_with(expected)) return false;
  rest_.remove_prefix(expected.size());
  return true;
}

std::optional<std::uint8_t> ByteReader::u8() {
  if (rest_.empty()) return std::nullopt;
  const auto v = static_cast<std::uint8_t>(rest_.front());
  rest_.remove_prefix(1);
  return v;
}

std::optional<std::uint32_t> ByteReader::u32() {
  if (rest_.size() < 4) return std::nullopt;
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(rest_[i])) << (8 * i);
  rest_.remove_prefix(4);
  return v;
}

std::optional<std::string> ByteReader::string() {
  const auto size = u32();
  if (!size || *size > rest_.size()) return std::nullopt;
  std::string s(rest_.substr(0, *size));
  rest_.remove_prefix(*size);
  return s;
}

namespace {

constexpr std::string_view kHead = "TJS1";
constexpr std::string_view kTail = "END!";

using Reader = ByteReader;

std::optional<TableSnapshot> decodeSnapshot(Reader& in) {
  TableSnapshot snapshot;
  const auto fields = in.u32();
  // Each field name takes at least 4 bytes, each cell at least 1.
  if (!fields || *fields == 0 || *fields > in.left() / 4) return std::nullopt;
  for (std::uint32_t i = 0; i < *fields; ++i) {
    auto name = in.string();
    if (!name) return std::nullopt;
    snapshot.fields.push_back(std::move(*name));
  }
  const auto records = in.u32();
  if (!records || *records > in.left() / *fields) return std::nullopt;
  const std::size_t cells = std::size_t{*records} * *fields;
  snapshot.cells.reserve(cells);
  for (std::size_t i = 0; i < cells; ++i) {
    const auto present = in.u8();
    if (!present || *present > 1) return std::nullopt;
    if (*present == 0) {
      snapshot.cells.emplace_back();
      continue;
    }
    auto text = in.string();
    if (!text) return std::nullopt;
    snapshot.cells.emplace_back(std::move(*text));
  }
  return snapshot;
}

}  // namespace

std::string encodeOutcome(const ReadOutcome& outcome) {
  std::string out(kHead);
  out += static_cast<char>(outcome.fault ? 1 + static_cast<int>(*outcome.fault) : 0);
  if (!outcome.fault) {
    const auto& s = outcome.snapshot;
    putU32(out, static_cast<std::uint32_t>(s.fields.size()));
    for (const auto& name : s.fields) putString(out, name);
    const std::size_t records = s.fields.empty() ? 0 : s.cells.size() / s.fields.size();
    putU32(out, static_cast<std::uint32_t>(records));
    for (const auto& cell : s.cells) {
      out += static_cast<char>(cell ? 1 : 0);
      if (cell) putString(out, *cell);
    }
  }
  out += kTail;
  return out;
}

std::optional<ReadOutcome> decodeOutcome(std::string_view bytes) {
  Reader in(bytes);
  if (!in.literal(kHead)) return std::nullopt;
  const auto status = in.u8();
  if (!status || *status > 1 + static_cast<int>(Fault::FieldEmpty)) return std::nullopt;
  ReadOutcome outcome;
  if (*status != 0) {
    outcome.fault = static_cast<Fault>(*status - 1);
  } else {
    auto snapshot = decodeSnapshot(in);
    if (!snapshot) return std::nullopt;
    outcome.snapshot = std::move(*snapshot);
  }
  if (!in.literal(kTail) || in.left() != 0) return std::nullopt;
  return outcome;
}

}  // namespace tj::data::detail
