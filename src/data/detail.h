// SPDX-License-Identifier: GPL-3.0-or-later
// Internals of the store shared by its readers. Not part of the public API.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "data/store.h"

namespace tj::data::detail {

// German messages; every one names the file.
DataError fileError(Fault fault, const std::filesystem::path& file);
DataError tableError(Fault fault, const std::filesystem::path& file, std::string_view table);
DataError fieldError(Fault fault, const std::filesystem::path& file, std::string_view table, std::string_view field,
                     int32_t record);

// Display text of numbers: integral values without a decimal point ("7"),
// others in their shortest exact form ("0.15").
std::string doubleText(double value);
std::string floatText(float value);
// A decimal number already in text ("14.0000", "-3.50") without trailing
// fractional zeros ("14", "-3.5"). Text that is no plain decimal stays as it is.
std::string trimDecimalText(std::string_view text);

// Flushes a written file to the disk before it replaces another, so that a crash
// or power loss right after the rename cannot leave an empty file behind. The
// BuildError it throws names `shown`, the file the user asked for.
void syncToDisk(const std::filesystem::path& file, const std::filesystem::path& shown);

// Where `s` stops being well-formed UTF-8 (no overlongs, no surrogates); npos when it is.
std::size_t invalidUtf8At(std::string_view s);

enum class Format { SQLite, Access, Unknown };
// The format by the first bytes of the file. Throws FileMissing when the
// file does not exist and Unreadable when it cannot be opened for reading.
Format sniffFormat(const std::filesystem::path& file);

// Largest snapshot the store accepts, in bytes of cell text.
inline constexpr std::size_t kMaxSnapshotBytes = std::size_t{256} << 20;

TableSnapshot readSqliteTable(const std::filesystem::path& file, std::string_view table);
TableSnapshot readAccessTable(const std::filesystem::path& file, std::string_view table);

// The outcome of a table read in the Access reader, as sent from the reading
// process: a snapshot, or the fault that stopped it.
struct ReadOutcome {
  std::optional<Fault> fault;
  TableSnapshot snapshot;
};
// A self-checking byte form of ReadOutcome; decode gives nullopt for any
// input that encode did not produce whole (cut short, trailing bytes, bad marker).
std::string encodeOutcome(const ReadOutcome& outcome);
std::optional<ReadOutcome> decodeOutcome(std::string_view bytes);
// What the store makes of the reading process's answer (nullopt: it gave none) for `table`
// of `file`: the snapshot, DataError(TableMissing), or DataError(Unreadable) for no answer, an
// answer that is not whole, or any other fault.
TableSnapshot snapshotFromReader(const std::optional<std::string>& bytes, const std::filesystem::path& file,
                                 std::string_view table);

// The pieces of such byte forms: little-endian integers and strings as u32 length + bytes.
void putU32(std::string& out, std::uint32_t v);
void putString(std::string& out, std::string_view s);
// Reads them back from a byte range; every take fails cleanly past the end.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : rest_(bytes) {}
  bool literal(std::string_view expected);
  std::optional<std::uint8_t> u8();
  std::optional<std::uint32_t> u32();
  std::optional<std::string> string();
  std::size_t left() const { return rest_.size(); }

 private:
  std::string_view rest_;
};

// The Access reader's work, done in the calling process without isolation:
// a damaged file may crash or hang it. readAccessTable runs it in a child;
// call it directly only where a crash is wanted to be seen (fuzzing).
// Sets process-wide environment and locale for mdbtools.
ReadOutcome readAccessTableHere(const std::string& file, const std::string& tableName);

// Runs `work` in a forked child process and returns what it produced, or
// nullopt when the child crashed, was killed, exited non-zero, produced more
// than `maxBytes`, or did not finish within `limit` (it is then killed).
// The child is always reaped. The child's stdout and stderr go to /dev/null.
std::optional<std::string> runIsolated(const std::function<std::string()>& work, std::chrono::milliseconds limit,
                                       std::size_t maxBytes);

}  // namespace tj::data::detail
