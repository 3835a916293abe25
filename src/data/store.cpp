// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/store.h"

#include <array>
#include <atomic>
#include <charconv>
#include <cmath>
#include <fstream>
#include <system_error>

#include "data/detail.h"
#include "data/quoted.h"

namespace tj::data {

namespace fs = std::filesystem;

DataError::DataError(Fault fault, std::string message) : std::runtime_error(std::move(message)), fault_(fault) {}

namespace {
uint64_t newVersion() {
  static std::atomic<uint64_t> last{0};
  return ++last;
}
}  // namespace

Recordset::Recordset(fs::path file, std::string table, TableSnapshot snapshot)
    : Recordset(std::move(file), std::move(table), std::make_shared<const TableSnapshot>(std::move(snapshot)),
                newVersion()) {}

Recordset::Recordset(fs::path file, std::string table, std::shared_ptr<const TableSnapshot> snapshot, uint64_t version)
    : file_(std::move(file)), table_(std::move(table)), snapshot_(std::move(snapshot)), version_(version) {
  const std::size_t width = snapshot_ ? snapshot_->fields.size() : 0;
  const std::size_t records = width == 0 ? 0 : snapshot_->cells.size() / width;
  if (width == 0 || records * width != snapshot_->cells.size() || records > INT32_MAX) {
    throw detail::fileError(Fault::Unreadable, file_);
  }
  count_ = static_cast<int32_t>(records);
  position_ = count_ > 0 ? 1 : 0;
}

void Recordset::setAbsolutePosition(int32_t k) {
  if (count_ == 0) throw detail::tableError(Fault::TableEmpty, file_, table_);
  if (k < 1 || k > count_) {
    throw std::out_of_range("record " + std::to_string(k) + " outside 1.." + std::to_string(count_));
  }
  position_ = k;
}

std::optional<std::size_t> Recordset::column(std::string_view name) const noexcept {
  for (std::size_t i = 0; i < snapshot_->fields.size(); ++i) {
    if (snapshot_->fields[i] == name) return i;
  }
  return std::nullopt;
}

const std::string& Recordset::field(std::string_view name) const {
  if (count_ == 0) throw detail::tableError(Fault::TableEmpty, file_, table_);
  const auto col = column(name);
  if (!col) throw detail::fieldError(Fault::FieldMissing, file_, table_, name, position_);
  const auto& cell = snapshot_->cells[static_cast<std::size_t>(position_ - 1) * snapshot_->fields.size() + *col];
  if (!cell) throw detail::fieldError(Fault::FieldEmpty, file_, table_, name, position_);
  return *cell;
}

std::vector<std::string> Recordset::fieldTexts(std::string_view name) const {
  std::vector<std::string> texts;
  const auto col = column(name);
  if (!col) return texts;
  const std::size_t width = snapshot_->fields.size();
  texts.reserve(static_cast<std::size_t>(count_));
  for (std::size_t k = 0; k < static_cast<std::size_t>(count_); ++k) {
    const auto& cell = snapshot_->cells[k * width + *col];
    texts.push_back(cell ? *cell : std::string());
  }
  return texts;
}

Recordset openTable(const fs::path& file, std::string_view table) {
  switch (detail::sniffFormat(file)) {
    case detail::Format::SQLite:
      return Recordset(file, std::string(table), detail::readSqliteTable(file, table));
    case detail::Format::Access:
      return Recordset(file, std::string(table), detail::readAccessTable(file, table));
    case detail::Format::Unknown:
      break;
  }
  throw detail::fileError(Fault::NotADatabase, file);
}

Recordset TableCache::open(const fs::path& file, std::string_view table) {
  std::error_code ec;
  const auto modified = fs::last_write_time(file, ec);
  const auto size = ec ? 0 : fs::file_size(file, ec);
  auto key = std::make_pair(file.string(), std::string(table));
  if (ec) {
    entries_.erase(key);
    return openTable(file, table);
  }
  if (auto it = entries_.find(key); it != entries_.end()) {
    if (it->second.modified == modified && it->second.size == size)
      return Recordset(file, key.second, it->second.snapshot, it->second.version);
    entries_.erase(it);
  }
  Recordset fresh = openTable(file, table);
  entries_[std::move(key)] = Entry{modified, size, fresh.snapshot_, fresh.version_};
  return fresh;
}

fs::path findDatabase(std::string_view fileName, const fs::path& appFolder, const fs::path& dataFolder) {
  std::error_code ec;
  fs::path here = fs::current_path(ec);
  const fs::path name(fileName);
  const fs::path inCurrent = ec ? name : here / name;
  for (const fs::path& folder : {here, appFolder, dataFolder}) {
    if (folder.empty()) continue;
    const fs::path candidate = folder / name;
    if (fs::exists(candidate, ec)) return candidate;
  }
  return inCurrent;
}

namespace detail {

namespace {

std::string fileText(const fs::path& file) { return inQuotes(file.string()); }

}  // namespace

DataError fileError(Fault fault, const fs::path& file) {
  switch (fault) {
    case Fault::FileMissing:
      return {fault, "Die Datei " + fileText(file) + " wurde nicht gefunden."};
    case Fault::NotADatabase:
      return {fault, "Die Datei " + fileText(file) + " ist keine Datenbank."};
    default:
      return {Fault::Unreadable, "Die Datei " + fileText(file) + " kann nicht gelesen werden oder ist beschädigt."};
  }
}

DataError tableError(Fault fault, const fs::path& file, std::string_view table) {
  if (fault == Fault::TableEmpty) {
    return {fault, "Die Tabelle " + inQuotes(table) + " in " + fileText(file) + " ist leer."};
  }
  return {Fault::TableMissing, "Die Datei " + fileText(file) + " enthält keine Tabelle " + inQuotes(table) + "."};
}

DataError fieldError(Fault fault, const fs::path& file, std::string_view table, std::string_view field,
                     int32_t record) {
  if (fault == Fault::FieldEmpty) {
    return {fault, "Im Feld " + inQuotes(field) + " der Tabelle " + inQuotes(table) + " in " + fileText(file) +
                       " fehlt der Text (Datensatz " + std::to_string(record) + ")."};
  }
  return {Fault::FieldMissing,
          "Die Tabelle " + inQuotes(table) + " in " + fileText(file) + " hat kein Feld " + inQuotes(field) + "."};
}

namespace {

template <typename T>
std::string shortestText(T value) {
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
    // Integral: plain digits, no decimal point, no "-0".
    const auto whole = static_cast<long long>(value);
    return std::to_string(whole);
  }
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::string doubleText(double value) { return shortestText(value); }
std::string floatText(float value) { return shortestText(value); }

std::string trimDecimalText(std::string_view text) {
  const auto dot = text.find('.');
  if (dot == std::string_view::npos) return std::string(text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool sign = i == 0 && (c == '-' || c == '+');
    if (!sign && i != dot && (c < '0' || c > '9')) return std::string(text);
  }
  std::size_t end = text.size();
  while (end > dot + 1 && text[end - 1] == '0') --end;
  if (end == dot + 1) end = dot;
  std::string out(text.substr(0, end));
  if (out == "-0") out = "0";
  return out;
}

Format sniffFormat(const fs::path& file) {
  std::error_code ec;
  const auto status = fs::status(file, ec);
  if (!fs::exists(status)) throw fileError(Fault::FileMissing, file);
  if (fs::is_directory(status)) throw fileError(Fault::NotADatabase, file);
  std::ifstream in(file, std::ios::binary);
  if (!in) throw fileError(Fault::Unreadable, file);
  std::array<char, 32> head{};
  in.read(head.data(), head.size());
  const std::string_view bytes(head.data(), static_cast<std::size_t>(in.gcount()));
  if (bytes.starts_with(std::string_view("SQLite format 3\0", 16))) return Format::SQLite;
  const std::string_view jetMagic("\x00\x01\x00\x00", 4);
  if (bytes.starts_with(jetMagic)) {
    const auto name = bytes.substr(4);
    if (name.starts_with(std::string_view("Standard Jet DB\0", 16)) ||
        name.starts_with(std::string_view("Standard ACE DB\0", 16))) {
      return Format::Access;
    }
  }
  return Format::Unknown;
}

}  // namespace detail
}  // namespace tj::data
