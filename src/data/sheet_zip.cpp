// SPDX-License-Identifier: GPL-3.0-or-later
// Spreadsheets in ZIP packages, .xlsx (Office Open XML) and .ods (OpenDocument): the
// package through libzip, the XML through expat, both within the import's limits; and
// writing such files for the template.
#include <expat.h>
#include <zip.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <exception>
#include <functional>
#include <map>
#include <memory>

#include "data/import_detail.h"

namespace tj::data::import_detail {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void locked(const std::string& file) {
  throw ImportError("Die Datei " + inQuotes(file) +
                    " ist mit einem Kennwort geschützt. Speichern Sie sie in Ihrem Tabellenprogramm ohne Kennwort "
                    "und importieren Sie sie dann.");
}

[[noreturn]] void unpacksTooLarge(const std::string& file) {
  throw ImportError("Die Datei " + inQuotes(file) +
                    " entpackt sich zu weit mehr Daten, als eine Tabelle dieser Größe enthält. Sie ist beschädigt "
                    "oder enthält etwas anderes als eine Tabelle.");
}

// ---- The package --------------------------------------------------------------------

class Package {
 public:
  // Throws ImportError (damaged) when the bytes are no ZIP package.
  Package(std::string_view bytes, std::string file) : file_(std::move(file)) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source) zip_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!zip_) {
      if (source) zip_source_free(source);
      damaged(file_);
    }
  }
  ~Package() { zip_discard(zip_); }
  Package(const Package&) = delete;
  Package& operator=(const Package&) = delete;

  bool has(const std::string& name) const { return zip_name_locate(zip_, name.c_str(), 0) >= 0; }

  // Hands the unpacked part to `take` piece by piece; false when there is no such part.
  // Throws ImportError when it unpacks to more than the limits allow or is damaged.
  bool read(const std::string& name, const std::function<void(std::string_view)>& take) const {
    const zip_int64_t index = zip_name_locate(zip_, name.c_str(), 0);
    if (index < 0) return false;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(zip_, static_cast<zip_uint64_t>(index), 0, &stat) != 0) damaged(file_);
    // The packed size cannot exceed the file, so both limits hold whatever the entry claims.
    const std::uint64_t packed = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
    const std::uint64_t allowed =
        std::min<std::uint64_t>(kMaxPartBytes, std::max<std::uint64_t>(std::uint64_t{1} << 20, packed * kMaxPackRatio));
    zip_file_t* part = zip_fopen_index(zip_, static_cast<zip_uint64_t>(index), 0);
    if (!part) {
      const int code = zip_error_code_zip(zip_get_error(zip_));
      if (code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_ENCRNOTSUPP) locked(file_);
      damaged(file_);
    }
    const std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> closer(part, zip_fclose);
    std::uint64_t total = 0;
    char buffer[1 << 16];
    for (;;) {
      const zip_int64_t n = zip_fread(part, buffer, sizeof buffer);
      if (n < 0) damaged(file_);
      if (n == 0) return true;
      total += static_cast<std::uint64_t>(n);
      if (total > allowed) unpacksTooLarge(file_);
      take(std::string_view(buffer, static_cast<std::size_t>(n)));
    }
  }

  std::string readWhole(const std::string& name) const {
    std::string out;
    read(name, [&](std::string_view piece) { out += piece; });
    return out;
  }

 private:
  std::string file_;
  zip_t* zip_ = nullptr;
};

// ---- XML ----------------------------------------------------------------------------

// An element's name without its namespace.
std::string_view localName(const XML_Char* name) {
  const char* bar = std::strrchr(name, '|');
  return bar ? bar + 1 : name;
}

const char* attribute(const XML_Char** attrs, std::string_view local) {
  for (int i = 0; attrs[i]; i += 2)
    if (localName(attrs[i]) == local) return attrs[i + 1];
  return nullptr;
}

long long attributeNumber(const XML_Char** attrs, std::string_view local, long long fallback) {
  const char* text = attribute(attrs, local);
  if (!text) return fallback;
  long long value = 0;
  const auto end = text + std::strlen(text);
  const auto [at, error] = std::from_chars(text, end, value);
  return error == std::errc() && at == end ? value : fallback;
}

class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  // `name` is "namespace|local" or the bare name.
  virtual void start(const XML_Char* name, const XML_Char** attrs) = 0;
  virtual void end(const XML_Char* name) = 0;
  virtual void text(std::string_view) {}
};

// Parses one part with expat. A document type declaration is refused (no part of these
// formats has one, and without one no entity can grow the text); an exception from the
// handler ends the parse and is thrown on.
class XmlParse {
 public:
  XmlParse(XmlHandler& handler) : handler_(handler), parser_(XML_ParserCreateNS(nullptr, '|')) {
    if (!parser_) throw std::bad_alloc();
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, &XmlParse::onStart, &XmlParse::onEnd);
    XML_SetCharacterDataHandler(parser_, &XmlParse::onText);
    XML_SetStartDoctypeDeclHandler(parser_, &XmlParse::onDoctype);
  }
  ~XmlParse() { XML_ParserFree(parser_); }
  XmlParse(const XmlParse&) = delete;
  XmlParse& operator=(const XmlParse&) = delete;

  // False once the text is no well-formed XML (or has a document type).
  bool feed(std::string_view piece, bool last) {
    if (ok_ && XML_Parse(parser_, piece.data(), static_cast<int>(piece.size()), last) != XML_STATUS_OK) ok_ = false;
    if (failure_) std::rethrow_exception(failure_);
    return ok_;
  }

 private:
  template <class Work>
  static void guarded(void* data, Work&& work) {
    auto* self = static_cast<XmlParse*>(data);
    if (self->failure_) return;
    try {
      work(self->handler_);
    } catch (...) {
      self->failure_ = std::current_exception();
      XML_StopParser(self->parser_, XML_FALSE);
    }
  }
  static void onStart(void* data, const XML_Char* name, const XML_Char** attrs) {
    guarded(data, [&](XmlHandler& h) { h.start(name, attrs); });
  }
  static void onEnd(void* data, const XML_Char* name) {
    guarded(data, [&](XmlHandler& h) { h.end(name); });
  }
  static void onText(void* data, const XML_Char* text, int length) {
    guarded(data, [&](XmlHandler& h) { h.text(std::string_view(text, static_cast<std::size_t>(length))); });
  }
  static void onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    XML_StopParser(static_cast<XmlParse*>(data)->parser_, XML_FALSE);
  }

  XmlHandler& handler_;
  XML_Parser parser_;
  std::exception_ptr failure_;
  bool ok_ = true;
};

void parseXml(const Package& package, const std::string& part, XmlHandler& handler, const std::string& file) {
  XmlParse parse(handler);
  bool ok = true;
  if (!package.read(part, [&](std::string_view piece) { ok = ok && parse.feed(piece, false); })) damaged(file);
  if (!ok || !parse.feed({}, true)) damaged(file);
}

// ---- Office Open XML (.xlsx) -----------------------------------------------------------

// "xl/worksheets/../sharedStrings.xml" -> "xl/sharedStrings.xml"; an absolute target
// starts at the package root.
std::string resolvePart(const std::string& base, const std::string& target) {
  std::string joined = target.starts_with('/') ? target.substr(1) : base + target;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= joined.size()) {
    auto slash = joined.find('/', start);
    if (slash == std::string::npos) slash = joined.size();
    const std::string part = joined.substr(start, slash - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = slash + 1;
  }
  std::string out;
  for (const auto& p : parts) out += (out.empty() ? "" : "/") + p;
  return out;
}

std::string folderOf(const std::string& part) {
  const auto slash = part.rfind('/');
  return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

struct Relationship {
  std::string type, target;  // target resolved against the part's folder
};

// The relationships of `part` by id ("xl/workbook.xml" -> "xl/_rels/workbook.xml.rels").
std::map<std::string, Relationship> relationshipsOf(const Package& package, const std::string& part,
                                                    const std::string& file) {
  struct Handler : XmlHandler {
    std::string base;
    std::map<std::string, Relationship> found;
    void start(const XML_Char* name, const XML_Char** attrs) override {
      if (localName(name) != "Relationship") return;
      const char *id = attribute(attrs, "Id"), *type = attribute(attrs, "Type"), *target = attribute(attrs, "Target");
      const char* mode = attribute(attrs, "TargetMode");
      if (id && type && target && !(mode && std::string_view(mode) == "External"))
        found[id] = {type, resolvePart(base, target)};
    }
    void end(const XML_Char*) override {}
  } handler;
  handler.base = folderOf(part);
  const std::string rels = folderOf(part) + "_rels/" + part.substr(folderOf(part).size()) + ".rels";
  if (package.has(rels)) parseXml(package, rels, handler, file);
  return std::move(handler.found);
}

std::string byType(const std::map<std::string, Relationship>& rels, std::string_view typeEnd) {
  for (const auto& [id, rel] : rels)
    if (rel.type.ends_with(typeEnd)) return rel.target;
  return {};
}

}  // namespace

Shown classifyFormat(std::string_view code) {
  if (code == "@") return Shown::Text;
  std::string lower;
  for (const char c : code) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (lower == "general") return Shown::Number;
  bool date = false, time = false, month = false, percent = false;
  for (std::size_t i = 0; i < lower.size() && lower[i] != ';'; ++i) {
    const char c = lower[i];
    if (c == '"') {
      const auto close = lower.find('"', i + 1);
      if (close == std::string::npos) break;
      i = close;
    } else if (c == '[') {
      const auto close = lower.find(']', i + 1);
      if (close == std::string::npos) break;
      const auto inside = std::string_view(lower).substr(i + 1, close - i - 1);
      if (!inside.empty() && inside.find_first_not_of("hms") == std::string_view::npos) time = true;  // elapsed
      i = close;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;  // an escaped, padding or fill character
    } else if (c == 'y' || c == 'd') {
      date = true;
    } else if (c == 'h' || c == 's') {
      time = true;
    } else if (c == 'm') {
      month = true;
    } else if (c == '%') {
      percent = true;
    }
  }
  if (lower.find("am/pm") != std::string::npos) time = true;
  date = date || (month && !time);
  if (date && time) return Shown::DateTime;
  if (date) return Shown::Date;
  if (time) return Shown::Time;
  return percent ? Shown::Percent : Shown::Number;
}

namespace {

Shown builtinFormat(long long id) {
  if (id == 9 || id == 10) return Shown::Percent;
  if (id >= 14 && id <= 17) return Shown::Date;
  if ((id >= 18 && id <= 21) || (id >= 45 && id <= 47)) return Shown::Time;
  if (id == 22) return Shown::DateTime;
  if (id == 49) return Shown::Text;
  return Shown::Number;
}

// Per cell style (the "s" of a cell), what its number format shows.
std::vector<Shown> cellFormats(const Package& package, const std::string& part, const std::string& file) {
  struct Handler : XmlHandler {
    std::map<long long, Shown> custom;
    std::vector<Shown> styles;
    bool inCellXfs = false;
    void start(const XML_Char* name, const XML_Char** attrs) override {
      const auto local = localName(name);
      if (local == "numFmt") {
        const char* code = attribute(attrs, "formatCode");
        custom[attributeNumber(attrs, "numFmtId", -1)] = classifyFormat(code ? code : "");
      } else if (local == "cellXfs") {
        inCellXfs = true;
      } else if (local == "xf" && inCellXfs) {
        const long long id = attributeNumber(attrs, "numFmtId", 0);
        const auto it = custom.find(id);
        styles.push_back(it != custom.end() ? it->second : builtinFormat(id));
      }
    }
    void end(const XML_Char* name) override {
      if (localName(name) == "cellXfs") inCellXfs = false;
    }
  } handler;
  if (!part.empty() && package.has(part)) parseXml(package, part, handler, file);
  return std::move(handler.styles);
}

// The text of <si> and <is> elements: the <t> of every run, phonetic guides (<rPh>) left out.
struct RunText {
  std::string text;
  bool inT = false;
  int phonetic = 0;
  // True when the element was one of the run elements.
  bool start(std::string_view local) {
    if (local == "rPh") ++phonetic;
    inT = local == "t" && phonetic == 0;
    return local == "t" || local == "rPh" || local == "r";
  }
  void end(std::string_view local) {
    if (local == "rPh") --phonetic;
    if (local == "t") inT = false;
  }
  void add(std::string_view piece) {
    if (inT) text += piece;
  }
};

std::vector<std::string> sharedStrings(const Package& package, const std::string& part, const std::string& file) {
  struct Handler : XmlHandler {
    std::vector<std::string> strings;
    std::size_t bytes = 0;
    std::string file;
    RunText run;
    bool inItem = false;
    void start(const XML_Char* name, const XML_Char**) override {
      const auto local = localName(name);
      if (local == "si") {
        inItem = true;
        run = {};
      } else if (inItem) {
        run.start(local);
      }
    }
    void end(const XML_Char* name) override {
      const auto local = localName(name);
      if (local == "si") {
        inItem = false;
        strings.push_back(std::move(run.text));
      } else {
        run.end(local);
      }
    }
    void text(std::string_view piece) override {
      if (inItem) run.add(piece);
    }
  } handler;
  if (!part.empty() && package.has(part)) parseXml(package, part, handler, file);
  return std::move(handler.strings);
}

// "BC12" -> column 54, row 11 (both 0-based); nullopt for anything else.
std::optional<std::pair<long long, long long>> cellReference(std::string_view ref) {
  long long column = 0;
  std::size_t i = 0;
  for (; i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && i < 4; ++i) column = column * 26 + (ref[i] - 'A' + 1);
  long long row = 0;
  const auto [end, error] = std::from_chars(ref.data() + i, ref.data() + ref.size(), row);
  if (i == 0 || error != std::errc() || end != ref.data() + ref.size() || row < 1) return std::nullopt;
  return std::pair{column - 1, row - 1};
}

std::optional<double> parseNumber(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string shownNumber(std::string_view raw, Shown shown, bool date1904) {
  const auto value = parseNumber(raw);
  if (!value) return std::string(raw);
  switch (shown) {
    case Shown::Percent:
      return numberText(*value * 100) + "%";
    case Shown::Date:
      return serialDateText(*value, date1904, DateParts::Date);
    case Shown::Time:
      return serialDateText(*value, date1904, DateParts::Time);
    case Shown::DateTime:
      return serialDateText(*value, date1904, DateParts::DateTime);
    case Shown::Number:
    case Shown::Text:
      break;
  }
  return numberText(*value);
}

struct XlsxSheetHandler : XmlHandler {
  XlsxSheetHandler(SheetBuilder& b, const std::vector<std::string>& s, const std::vector<Shown>& f, bool d,
                   std::string file)
      : builder(b), strings(s), formats(f), date1904(d), file(std::move(file)) {}
  SheetBuilder& builder;
  const std::vector<std::string>& strings;
  const std::vector<Shown>& formats;
  bool date1904;
  std::string file;

  long long row = -1, column = -1;
  std::string type, value;
  Shown shown = Shown::Number;
  bool inValue = false, inInline = false;
  RunText run;

  void start(const XML_Char* name, const XML_Char** attrs) override {
    const auto local = localName(name);
    if (local == "row") {
      row = attributeNumber(attrs, "r", row + 2) - 1;
      column = -1;
    } else if (local == "c") {
      const char* ref = attribute(attrs, "r");
      const auto at = ref ? cellReference(ref) : std::nullopt;
      column = at ? at->first : column + 1;
      if (at) row = at->second;
      const char* t = attribute(attrs, "t");
      type = t ? t : "n";
      const long long style = attributeNumber(attrs, "s", 0);
      shown = style >= 0 && static_cast<std::size_t>(style) < formats.size() ? formats[static_cast<std::size_t>(style)]
                                                                             : Shown::Number;
      value.clear();
      run = {};
    } else if (local == "v") {
      inValue = true;
    } else if (local == "is") {
      inInline = true;
    } else if (inInline) {
      run.start(local);
    } else if (local == "mergeCell") {
      const char* ref = attribute(attrs, "ref");
      const std::string_view range = ref ? ref : "";
      const auto colon = range.find(':');
      const auto from = cellReference(range.substr(0, colon));
      const auto to = colon == std::string_view::npos ? from : cellReference(range.substr(colon + 1));
      if (from && to) builder.merge(from->second, from->first, to->second, to->first);
    }
  }

  void end(const XML_Char* name) override {
    const auto local = localName(name);
    if (local == "v") {
      inValue = false;
    } else if (local == "is") {
      inInline = false;
    } else if (inInline) {
      run.end(local);
    } else if (local == "c") {
      if (row < 0 || column < 0) damaged(file);
      builder.cell(row, column, cellText());
    }
  }

  void text(std::string_view piece) override {
    if (inValue) value += piece;
    if (inInline) run.add(piece);
  }

  std::string cellText() const {
    if (type == "s") {
      const auto index = parseNumber(value);
      if (!index || *index < 0 || *index >= static_cast<double>(strings.size())) return {};
      return strings[static_cast<std::size_t>(*index)];
    }
    if (type == "inlineStr") return run.text;
    if (type == "str" || type == "e") return value;
    if (type == "b") return value.empty() ? value : value == "1" || value == "true" ? "WAHR" : "FALSCH";
    if (type == "d") return isoDateText(value);
    return value.empty() ? value : shownNumber(value, shown, date1904);
  }
};

struct WorkbookInfo {
  std::vector<std::pair<std::string, std::string>> sheets;  // name, relationship id
  bool date1904 = false;
};

WorkbookInfo workbookInfo(const Package& package, const std::string& part, const std::string& file) {
  struct Handler : XmlHandler {
    WorkbookInfo info;
    void start(const XML_Char* name, const XML_Char** attrs) override {
      const auto local = localName(name);
      if (local == "sheet") {
        const char *sheet = attribute(attrs, "name"), *id = attribute(attrs, "id");
        info.sheets.emplace_back(sheet ? sheet : "", id ? id : "");
      } else if (local == "workbookPr") {
        const char* d = attribute(attrs, "date1904");
        info.date1904 = d && (std::string_view(d) == "1" || std::string_view(d) == "true");
      }
    }
    void end(const XML_Char*) override {}
  } handler;
  parseXml(package, part, handler, file);
  return std::move(handler.info);
}

// ---- OpenDocument (.ods) ----------------------------------------------------------------

std::string odfNumber(const XML_Char** attrs) {
  const char* type = attribute(attrs, "value-type");
  const std::string_view t = type ? type : "";
  const char* value = attribute(attrs, "value");
  if ((t == "float" || t == "currency" || t == "percentage") && value) {
    const auto v = parseNumber(value);
    if (!v) return value;
    return t == "percentage" ? numberText(*v * 100) + "%" : numberText(*v);
  }
  if (t == "date") {
    const char* date = attribute(attrs, "date-value");
    return date ? isoDateText(date) : std::string();
  }
  if (t == "boolean") {
    const char* b = attribute(attrs, "boolean-value");
    return b ? (std::string_view(b) == "true" ? "WAHR" : "FALSCH") : std::string();
  }
  const char* string = attribute(attrs, "string-value");
  return string ? string : std::string();
}

struct OdsHandler : XmlHandler {
  OdsHandler(std::optional<std::size_t> i, std::string f) : wanted(i), file(std::move(f)) {}
  std::optional<std::size_t> wanted;
  std::string file;
  std::vector<std::string> names;
  std::optional<SheetBuilder> builder;
  std::string wantedName;

  int tableDepth = 0;  // inside table:table elements
  bool active = false;
  long long row = 0, rowRepeat = 1, column = 0, columnRepeat = 1;
  std::vector<std::pair<long long, std::string>> rowCells;  // column, text
  std::vector<std::array<long long, 3>> merges;             // column, rows and columns spanned
  bool inCell = false;
  int paragraphs = 0, inParagraph = 0, skip = 0;
  std::string cell, fallback;

  // A repeat or span count; past any sheet's size it makes no difference.
  static long long count(const XML_Char** attrs, std::string_view local) {
    return std::clamp(attributeNumber(attrs, local, 1), 1LL, 1LL << 24);
  }

  void start(const XML_Char* name, const XML_Char** attrs) override {
    const auto local = localName(name);
    if (local == "table" && std::strstr(name, ":table:") && tableDepth++ == 0) {
      const char* n = attribute(attrs, "name");
      names.emplace_back(n ? n : "");
      active = wanted && *wanted == names.size() - 1;
      if (active) builder.emplace(file, names.back());
      row = 0;
      return;
    }
    if (!active || tableDepth != 1) return;
    if (skip > 0 || local == "annotation" || std::strstr(name, ":drawing:")) {
      ++skip;
      return;
    }
    if (local == "table-row") {
      rowRepeat = count(attrs, "number-rows-repeated");
      column = 0;
      rowCells.clear();
      merges.clear();
    } else if (local == "table-cell" || local == "covered-table-cell") {
      columnRepeat = count(attrs, "number-columns-repeated");
      const long long rows = count(attrs, "number-rows-spanned");
      const long long columns = count(attrs, "number-columns-spanned");
      if (rows > 1 || columns > 1) merges.push_back({column, rows, columns});
      inCell = true;
      paragraphs = 0;
      cell.clear();
      fallback = odfNumber(attrs);
    } else if (inCell && (local == "p" || local == "h")) {
      if (paragraphs++ > 0) cell += '\n';
      ++inParagraph;
    } else if (inParagraph > 0 && local == "s") {
      cell.append(static_cast<std::size_t>(std::clamp(attributeNumber(attrs, "c", 1), 1LL, 1000LL)), ' ');
    } else if (inParagraph > 0 && local == "tab") {
      cell += '\t';
    } else if (inParagraph > 0 && local == "line-break") {
      cell += '\n';
    }
  }

  void end(const XML_Char* name) override {
    const auto local = localName(name);
    if (local == "table" && std::strstr(name, ":table:") && --tableDepth == 0) {
      active = false;
      return;
    }
    if (!active || tableDepth != 1) return;
    if (skip > 0) {
      --skip;
      return;
    }
    if (local == "table-cell" || local == "covered-table-cell") {
      inCell = false;
      const std::string& text = paragraphs > 0 ? cell : fallback;
      // A repeated cell with text is that many cells; an empty one only moves on.
      if (!text.empty()) {
        for (long long k = 0; k < columnRepeat && column + k <= kMaxSheetColumns; ++k)
          rowCells.emplace_back(column + k, text);
      }
      column += columnRepeat;
    } else if (local == "p" || local == "h") {
      inParagraph = std::max(0, inParagraph - 1);
    } else if (local == "table-row") {
      for (const auto& [c, rows, columns] : merges) builder->merge(row, c, row + rows - 1, c + columns - 1);
      if (!rowCells.empty()) {
        for (long long k = 0; k < rowRepeat; ++k)
          for (const auto& [c, text] : rowCells) builder->cell(row + k, c, text);
      }
      row += rowRepeat;
    }
  }

  void text(std::string_view piece) override {
    if (inParagraph > 0 && skip == 0) cell += piece;
  }
};

std::string sheetSource(const char* kind, const std::string& sheet) {
  return std::string(kind) + ", Tabellenblatt " + inQuotes(sheet);
}

// ---- Writing ------------------------------------------------------------------------------

std::string xmlEscaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        // Control characters other than tab and line breaks cannot stand in XML 1.0.
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
    }
  }
  return out;
}

std::string columnName(std::size_t c) {
  std::string name;
  for (++c; c > 0; c = (c - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (c - 1) % 26));
  return name;
}

using Parts = std::vector<std::pair<std::string, std::string>>;  // name, content

Parts xlsxParts(const std::vector<std::vector<std::string>>& rows) {
  std::string strings, sheet;
  std::size_t count = 0;
  std::size_t width = 0;
  for (const auto& r : rows) width = std::max(width, r.size());
  sheet =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><cols>";
  for (std::size_t c = 0; c < width; ++c)
    sheet += "<col min=\"" + std::to_string(c + 1) + "\" max=\"" + std::to_string(c + 1) + "\" width=\"" +
             (c == 0 ? "48" : "22") + "\" customWidth=\"1\"/>";
  sheet += "</cols><sheetData>";
  for (std::size_t r = 0; r < rows.size(); ++r) {
    sheet += "<row r=\"" + std::to_string(r + 1) + "\">";
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      if (rows[r][c].empty()) continue;
      sheet +=
          "<c r=\"" + columnName(c) + std::to_string(r + 1) + "\" t=\"s\"><v>" + std::to_string(count++) + "</v></c>";
      strings += "<si><t xml:space=\"preserve\">" + xmlEscaped(rows[r][c]) + "</t></si>";
    }
    sheet += "</row>";
  }
  sheet += "</sheetData></worksheet>";
  const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  return {
      {"[Content_Types].xml",
       head + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
              "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
              "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
              "<Override PartName=\"/xl/workbook.xml\" "
              "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
              "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
              "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
              "<Override PartName=\"/xl/sharedStrings.xml\" "
              "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
              "</Types>"},
      {"_rels/.rels", head +
                          "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                          "<Relationship Id=\"rId1\" Type=\"" +
                          rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml", head +
                              "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                              "xmlns:r=\"" +
                              rel +
                              "\"><sheets><sheet name=\"Fragen\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
      {"xl/_rels/workbook.xml.rels",
       head +
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" Type=\"" +
           rel + "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" + rel +
           "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
      {"xl/worksheets/sheet1.xml", std::move(sheet)},
      {"xl/sharedStrings.xml",
       head + "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
           std::to_string(count) + "\" uniqueCount=\"" + std::to_string(count) + "\">" + strings + "</sst>"},
  };
}

Parts odsParts(const std::vector<std::vector<std::string>>& rows) {
  const std::string mime = "application/vnd.oasis.opendocument.spreadsheet";
  std::string content =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
      "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
      "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\">"
      "<office:body><office:spreadsheet><table:table table:name=\"Fragen\">";
  for (const auto& row : rows) {
    content += "<table:table-row>";
    for (const auto& text : row) {
      if (text.empty()) {
        content += "<table:table-cell/>";
        continue;
      }
      content += "<table:table-cell office:value-type=\"string\">";
      // One paragraph per line of the text.
      std::size_t start = 0;
      for (;;) {
        const auto end = text.find('\n', start);
        content += "<text:p>" + xmlEscaped(text.substr(start, end - start)) + "</text:p>";
        if (end == std::string::npos) break;
        start = end + 1;
      }
      content += "</table:table-cell>";
    }
    content += "</table:table-row>";
  }
  content += "</table:table></office:spreadsheet></office:body></office:document-content>";
  return {
      {"mimetype", mime},
      {"META-INF/manifest.xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
       "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
       "manifest:version=\"1.2\"><manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
       "manifest:media-type=\"" +
           mime +
           "\"/><manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
           "</manifest:manifest>"},
      {"content.xml", std::move(content)},
  };
}

}  // namespace

Workbook readXlsx(std::string_view bytes, std::optional<std::size_t> index, const std::string& file) {
  const Package package(bytes, file);
  std::string workbook = byType(relationshipsOf(package, "", file), "/officeDocument");
  if (workbook.empty()) workbook = "xl/workbook.xml";
  const WorkbookInfo info = workbookInfo(package, workbook, file);
  Workbook out;
  for (const auto& [name, id] : info.sheets) out.names.push_back(name);
  if (!index) return out;
  if (*index >= info.sheets.size()) noSuchSheet(out.names, std::to_string(*index + 1), file);
  const auto rels = relationshipsOf(package, workbook, file);
  const auto sheet = rels.find(info.sheets[*index].second);
  if (sheet == rels.end()) damaged(file);
  const auto strings = sharedStrings(package, byType(rels, "/sharedStrings"), file);
  const auto formats = cellFormats(package, byType(rels, "/styles"), file);
  SheetBuilder builder(file, out.names[*index]);
  XlsxSheetHandler handler(builder, strings, formats, info.date1904, file);
  parseXml(package, sheet->second.target, handler, file);
  out.grid = std::move(builder).finish(sheetSource("Excel-Tabelle", out.names[*index]));
  return out;
}

Workbook readOds(std::string_view bytes, std::optional<std::size_t> index, const std::string& file) {
  const Package package(bytes, file);
  OdsHandler handler(index, file);
  parseXml(package, "content.xml", handler, file);
  Workbook out;
  out.names = std::move(handler.names);
  if (!index) return out;
  if (!handler.builder) noSuchSheet(out.names, std::to_string(*index + 1), file);
  out.grid = std::move(*handler.builder).finish(sheetSource("LibreOffice-Tabelle", out.names[*index]));
  return out;
}

FileKind zipKind(std::string_view bytes) {
  const auto contains = [&](std::string_view s) { return bytes.find(s) != std::string_view::npos; };
  try {
    const Package package(bytes, {});
    if (package.has("mimetype")) {
      const std::string mime = package.readWhole("mimetype");
      if (mime.starts_with("application/vnd.oasis.opendocument.spreadsheet")) return FileKind::Ods;
      if (mime.starts_with("application/vnd.oasis.opendocument.text")) return FileKind::WriterText;
      if (mime.starts_with("application/vnd.oasis.opendocument.presentation")) return FileKind::Presentation;
      return FileKind::Binary;
    }
    if (package.has("xl/workbook.xml") || package.has("xl/_rels/workbook.xml.rels")) return FileKind::Xlsx;
    if (package.has("word/document.xml")) return FileKind::Word;
    if (package.has("ppt/presentation.xml")) return FileKind::Presentation;
    if (package.has("xl/workbook.bin")) return FileKind::Binary;
    return FileKind::Archive;
  } catch (const ImportError&) {
    // Damaged: the names in the local headers still tell what it was meant to be.
    if (contains("opendocument.spreadsheet")) return FileKind::Ods;
    if (contains("xl/")) return FileKind::Xlsx;
    return FileKind::Archive;
  }
}

}  // namespace tj::data::import_detail

namespace tj::data {

using namespace import_detail;

void writeWorkbook(const std::filesystem::path& file, const std::vector<std::vector<std::string>>& rows) {
  std::string ext = file.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const Parts parts = ext == ".ods" ? odsParts(rows) : xlsxParts(rows);
  const auto cannot = [&] {
    throw ImportError("Die Datei " + inQuotes(file.string()) +
                      " kann nicht geschrieben werden. Ist der Ordner schreibgeschützt oder die Platte voll?");
  };
  int error = 0;
  // libzip writes into a file of its own beside `file` and puts it in place when done.
  zip_t* zip = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!zip) cannot();
  for (const auto& [name, content] : parts) {
    zip_source_t* source = zip_source_buffer(zip, content.data(), content.size(), 0);
    const zip_int64_t index = source ? zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
      if (source) zip_source_free(source);
      zip_discard(zip);
      cannot();
    }
    // An OpenDocument file starts with its media type, stored as it is.
    if (name == "mimetype") zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  if (zip_close(zip) != 0) {
    zip_discard(zip);
    cannot();
  }
}

}  // namespace tj::data
