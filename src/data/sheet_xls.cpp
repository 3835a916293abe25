// SPDX-License-Identifier: GPL-3.0-or-later
// Excel 97-2003 workbooks (.xls) through FreeXL. FreeXL parses the binary format in C and
// holds a whole sheet's cells at once, so it runs in a child process (runIsolated): a
// damaged or hostile file can crash, hang or exhaust only that child, and is reported as
// damaged. The child sends the workbook in this byte form (integers little-endian):
//   "TJX1" u8 status; status 1: the German message of an ImportError; status 0: u32 sheet
//   names, each a string; u32 rows, each u32 row number and u32 cells, each a string;
//   "END!"
#include <freexl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <memory>

#include "data/detail.h"
#include "data/import_detail.h"

namespace tj::data::import_detail {

namespace {

constexpr std::string_view kHead = "TJX1";
constexpr std::string_view kTail = "END!";
constexpr auto kTimeLimit = std::chrono::seconds(20);
constexpr std::size_t kMaxOutput = std::size_t{256} << 20;

std::string encode(const Workbook& book) {
  std::string out(kHead);
  out += '\0';
  detail::putU32(out, static_cast<std::uint32_t>(book.names.size()));
  for (const auto& name : book.names) detail::putString(out, name);
  detail::putU32(out, static_cast<std::uint32_t>(book.grid.rows.size()));
  for (std::size_t r = 0; r < book.grid.rows.size(); ++r) {
    detail::putU32(out, static_cast<std::uint32_t>(book.grid.lines[r]));
    detail::putU32(out, static_cast<std::uint32_t>(book.grid.rows[r].size()));
    for (const auto& cell : book.grid.rows[r]) detail::putString(out, cell);
  }
  return out += kTail;
}

std::string encodeError(const std::string& message) {
  std::string out(kHead);
  out += '\1';
  detail::putString(out, message);
  return out += kTail;
}

// The workbook, or the message of the child's ImportError; nullopt for anything the child
// did not write whole.
std::optional<std::pair<Workbook, std::string>> decode(std::string_view bytes) {
  detail::ByteReader in(bytes);
  const auto status = in.literal(kHead) ? in.u8() : std::nullopt;
  std::pair<Workbook, std::string> out;
  if (!status || *status > 1) return std::nullopt;
  if (*status == 1) {
    auto message = in.string();
    if (!message) return std::nullopt;
    out.second = std::move(*message);
  } else {
    const auto names = in.u32();
    if (!names || *names > in.left() / 4) return std::nullopt;
    for (std::uint32_t i = 0; i < *names; ++i) {
      auto name = in.string();
      if (!name) return std::nullopt;
      out.first.names.push_back(std::move(*name));
    }
    const auto rows = in.u32();
    if (!rows || *rows > in.left() / 8) return std::nullopt;
    for (std::uint32_t r = 0; r < *rows; ++r) {
      const auto number = in.u32(), cells = in.u32();
      if (!number || !cells || *cells > in.left() / 4 || *number > INT32_MAX) return std::nullopt;
      std::vector<std::string> row;
      for (std::uint32_t c = 0; c < *cells; ++c) {
        auto cell = in.string();
        if (!cell) return std::nullopt;
        row.push_back(std::move(*cell));
      }
      out.first.grid.rows.push_back(std::move(row));
      out.first.grid.lines.push_back(static_cast<int>(*number));
    }
  }
  if (!in.literal(kTail) || in.left() != 0) return std::nullopt;
  return out;
}

std::string cellText(const FreeXL_CellValue& value) {
  switch (value.type) {
    case FREEXL_CELL_INT:
      return std::to_string(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
      return numberText(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
      return value.value.text_value ? value.value.text_value : "";
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
      return value.value.text_value ? isoDateText(value.value.text_value) : "";
    case FREEXL_CELL_TIME: {
      // "14:30:00" as "14:30"
      std::string time = value.value.text_value ? value.value.text_value : "";
      if (time.size() == 8 && time.ends_with(":00")) time.resize(5);
      return time;
    }
    default:
      return {};
  }
}

// The reading itself, in the child. FreeXL reads files only: the bytes go into a file in
// memory.
Workbook readHere(std::string_view bytes, std::optional<std::size_t> index, const std::string& file) {
  const int fd = ::memfd_create("tabelle.xls", MFD_CLOEXEC);
  if (fd < 0) damaged(file);
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) damaged(file);
    done += static_cast<std::size_t>(n);
  }
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  const void* handle = nullptr;
  const int opened = freexl_open(path.c_str(), &handle);
  const std::unique_ptr<const void, int (*)(const void*)> closer(handle, freexl_close);
  if (opened != FREEXL_OK) damaged(file);
  unsigned int info = 0;
  if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)
    refuseOtherKinds(FileKind::Encrypted, file);
  unsigned int sheets = 0;
  if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK) damaged(file);
  Workbook book;
  for (unsigned int i = 0; i < sheets; ++i) {
    const char* name = nullptr;
    if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(i), &name) != FREEXL_OK) damaged(file);
    book.names.emplace_back(name ? name : "");
  }
  if (!index) return book;
  if (*index >= book.names.size()) noSuchSheet(book.names, std::to_string(*index + 1), file);
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (freexl_select_active_worksheet(handle, static_cast<unsigned short>(*index)) != FREEXL_OK ||
      freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
    damaged(file);
  SheetBuilder builder(file, book.names[*index]);
  for (unsigned int r = 0; r < rows; ++r) {
    for (unsigned short c = 0; c < columns; ++c) {
      FreeXL_CellValue value;
      if (freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK) damaged(file);
      builder.cell(r, c, cellText(value));
    }
  }
  book.grid = std::move(builder).finish({});
  return book;
}

}  // namespace

Workbook readXls(std::string_view bytes, std::optional<std::size_t> index, const std::string& file) {
  const auto output = detail::runIsolated(
      [&] {
        try {
          return encode(readHere(bytes, index, file));
        } catch (const ImportError& e) {
          return encodeError(e.what());
        }
      },
      kTimeLimit, kMaxOutput);
  auto read = output ? decode(*output) : std::nullopt;
  if (!read) damaged(file);
  if (!read->second.empty()) throw ImportError(read->second);
  Workbook& book = read->first;
  if (index && *index >= book.names.size()) damaged(file);
  if (index) book.grid.source = "Excel-97-Tabelle, Tabellenblatt " + inQuotes(book.names[*index]);
  return std::move(book);
}

}  // namespace tj::data::import_detail
