// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/instructions/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/text_encoding.h"

namespace tj {

namespace {

constexpr std::size_t kMaxDepth = 256;  // deeper groups are read as if flat
constexpr int kMaxDigits = 10;          // a control word's parameter

using data::appendUtf8;
using data::fromCp1252;

std::string languageTag(int lcid) {
  static const std::map<int, std::string> tags = {{1031, "de-DE"}, {2055, "de-CH"}, {3079, "de-AT"},
                                                  {1033, "en-US"}, {2057, "en-GB"}, {1036, "fr-FR"},
                                                  {1040, "it-IT"}, {1043, "nl-NL"}, {1034, "es-ES"}};
  const auto it = tags.find(lcid);
  return it == tags.end() ? std::string() : it->second;
}

// Where the text of the current group goes.
enum class Dest : uint8_t { Body, FontTable, ColorTable, Skip };

struct CharState {
  int font = -1;  // font table index; -1 = the default font
  int halfPoints = 24;
  bool bold = false, italic = false, underline = false;
  int color = 0;  // colour table index; 0 = automatic
};

struct ParaState {
  Align alignment = Align::Left;
  int spaceBefore = 0, spaceAfter = 0, leftIndent = 0, firstLineIndent = 0;
  std::vector<float> tabStops;
  int headingLevel = 0;
  bool keepWithNext = false;
};

struct State {
  Dest dest = Dest::Body;
  CharState ch;
  ParaState para;
  int unicodeSkip = 1;  // fallback characters after \uN
};

class Reader {
 public:
  explicit Reader(std::string_view in) : in_(in) {}

  RichDocument run() {
    while (pos_ < in_.size()) {
      const char c = in_[pos_++];
      if (c == '{')
        openGroup();
      else if (c == '}')
        closeGroup();
      else if (c == '\\')
        controlSequence();
      else if (c == '\r' || c == '\n')
        continue;
      else
        text(fromCp1252(static_cast<unsigned char>(c)));
    }
    if (!para_.runs.empty()) endParagraph();
    finish();
    return std::move(doc_);
  }

 private:
  void openGroup() {
    if (stack_.size() >= kMaxDepth) {
      ++flattened_;
      return;
    }
    stack_.push_back(st_);
    destinationPending_ = true;
  }

  void closeGroup() {
    if (flattened_ > 0) {
      --flattened_;
      return;
    }
    if (st_.dest == Dest::FontTable) commitFont();
    if (stack_.empty()) return;  // unbalanced: ignore the extra brace
    const bool body = st_.dest == Dest::Body;
    const ParaState para = st_.para;
    st_ = stack_.back();
    stack_.pop_back();
    if (body) st_.para = para;  // paragraph formatting belongs to the paragraph, not the group
    destinationPending_ = false;
  }

  // Reads one control word or symbol after a backslash.
  void controlSequence() {
    if (pos_ >= in_.size()) return;
    const char c = in_[pos_];
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      ++pos_;
      controlSymbol(c);
      return;
    }
    const std::size_t start = pos_;
    while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_])) && pos_ - start < 32) ++pos_;
    const std::string word(in_.substr(start, pos_ - start));
    std::optional<long> param;
    bool negative = false;
    if (pos_ < in_.size() && in_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    long value = 0;
    int digits = 0;
    while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
      if (digits < kMaxDigits) value = value * 10 + (in_[pos_] - '0');
      ++digits;
      ++pos_;
    }
    if (digits > 0) param = negative ? -value : value;
    // A word that runs into the end of the input may be cut short ("\par" of "\pard"):
    // it is not read.
    if (pos_ >= in_.size()) return;
    if (in_[pos_] == ' ') ++pos_;
    controlWord(word, param);
    destinationPending_ = false;
  }

  void controlSymbol(char c) {
    switch (c) {
      case '\'':
        hexByte();
        break;
      case '*':
        if (destinationPending_) st_.dest = Dest::Skip;  // an ignorable destination we do not know
        break;
      case '~':
        text(0xA0);
        break;
      case '_':
        text(0x2011);
        break;
      case '\n':
      case '\r':
        endParagraph();
        break;
      case '\\':
      case '{':
      case '}':
        text(static_cast<unsigned char>(c));
        break;
      default:
        break;  // \- optional hyphen and the like
    }
    if (c != '*') destinationPending_ = false;
  }

  void hexByte() {
    int value = 0;
    for (int i = 0; i < 2; ++i) {
      if (pos_ >= in_.size() || !std::isxdigit(static_cast<unsigned char>(in_[pos_]))) return;
      const char h = static_cast<char>(std::tolower(static_cast<unsigned char>(in_[pos_++])));
      value = value * 16 + (h <= '9' ? h - '0' : h - 'a' + 10);
    }
    text(fromCp1252(static_cast<unsigned char>(value)));
  }

  // Skips the fallback of a \u escape: `count` characters, a \'xx counting as one.
  void skipFallback(int count) {
    for (int i = 0; i < count && pos_ < in_.size(); ++i) {
      const char c = in_[pos_];
      if (c == '{' || c == '}') return;
      if (c == '\\') {
        if (pos_ + 1 < in_.size() && in_[pos_ + 1] == '\'')
          pos_ += std::min<std::size_t>(4, in_.size() - pos_);
        else
          return;  // a control word ends the fallback
      } else {
        ++pos_;
      }
    }
  }

  void unicode(long n) {
    if (n < 0) n += 65536;
    auto c = static_cast<char32_t>(std::clamp<long>(n, 0, 0xFFFF));
    skipFallback(st_.unicodeSkip);
    if (c >= 0xD800 && c <= 0xDBFF) {
      highSurrogate_ = c;
      return;
    }
    if (c >= 0xDC00 && c <= 0xDFFF && highSurrogate_) {
      c = 0x10000 + ((*highSurrogate_ - 0xD800) << 10) + (c - 0xDC00);
    }
    highSurrogate_.reset();
    text(c);
  }

  static int clampTwips(long v) { return static_cast<int>(std::clamp<long>(v, -31680, 31680)); }

  void controlWord(const std::string& w, std::optional<long> p) {
    const long v = p.value_or(0);
    const bool on = !p || *p != 0;
    CharState& ch = st_.ch;
    ParaState& pa = st_.para;
    // Destinations
    if (w == "fonttbl")
      st_.dest = Dest::FontTable;
    else if (w == "colortbl") {
      st_.dest = Dest::ColorTable;
      colors_.clear();
      color_ = {};
    } else if (w == "stylesheet" || w == "info" || w == "pict" || w == "header" || w == "footer" || w == "footnote" ||
               w == "field" || w == "object" || w == "listtable" || w == "listoverridetable")
      st_.dest = Dest::Skip;
    // Document
    else if (w == "deff")
      defaultFont_ = static_cast<int>(v);
    else if (w == "deflang")
      doc_.language = languageTag(static_cast<int>(v));
    else if (w == "deftab")
      doc_.defaultTabWidth = static_cast<float>(std::clamp<long>(v, 1, 31680));
    else if (w == "uc")
      st_.unicodeSkip = static_cast<int>(std::clamp<long>(v, 0, 8));
    // Font and colour tables
    else if (w == "f" && st_.dest == Dest::FontTable) {
      commitFont();
      fontIndex_ = static_cast<int>(v);
    } else if ((w == "red" || w == "green" || w == "blue") && st_.dest == Dest::ColorTable) {
      const auto c = static_cast<uint8_t>(std::clamp<long>(v, 0, 255));
      (w == "red" ? color_.r : w == "green" ? color_.g : color_.b) = c;
      colorSet_ = true;
    }
    // Paragraph
    else if (w == "par")
      endParagraph();
    else if (w == "pard")
      pa = ParaState{};
    else if (w == "ql" || w == "qj")
      pa.alignment = Align::Left;
    else if (w == "qc")
      pa.alignment = Align::Center;
    else if (w == "qr")
      pa.alignment = Align::Right;
    else if (w == "sb")
      pa.spaceBefore = clampTwips(v);
    else if (w == "sa")
      pa.spaceAfter = clampTwips(v);
    else if (w == "li")
      pa.leftIndent = clampTwips(v);
    else if (w == "fi")
      pa.firstLineIndent = clampTwips(v);
    else if (w == "tx") {
      if (pa.tabStops.size() < 64) pa.tabStops.push_back(static_cast<float>(clampTwips(v)));
    } else if (w == "keepn")
      pa.keepWithNext = true;
    else if (w == "outlinelevel")
      pa.headingLevel = static_cast<int>(std::clamp<long>(v, 0, 8)) + 1;
    // Characters
    else if (w == "plain")
      ch = CharState{};
    else if (w == "b")
      ch.bold = on;
    else if (w == "i")
      ch.italic = on;
    else if (w == "ul")
      ch.underline = on;
    else if (w == "ulnone")
      ch.underline = false;
    else if (w == "f")
      ch.font = static_cast<int>(v);
    else if (w == "fs")
      ch.halfPoints = static_cast<int>(std::clamp<long>(p.value_or(24), 2, 3276));
    else if (w == "cf")
      ch.color = static_cast<int>(std::clamp<long>(v, 0, 1 << 16));
    // Special characters
    else if (w == "tab")
      text('\t');
    else if (w == "line")
      text('\n');
    else if (w == "u" && p)
      unicode(v);
    else if (w == "emdash")
      text(0x2014);
    else if (w == "endash")
      text(0x2013);
    else if (w == "lquote")
      text(0x2018);
    else if (w == "rquote")
      text(0x2019);
    else if (w == "ldblquote")
      text(0x201C);
    else if (w == "rdblquote")
      text(0x201D);
    else if (w == "bullet")
      text(0x2022);
    // Anything else is skipped.
  }

  void text(char32_t c) {
    switch (st_.dest) {
      case Dest::Skip:
        return;
      case Dest::FontTable:
        if (c == ';')
          commitFont();
        else if (fontIndex_ && fontName_.size() < 128)
          appendUtf8(fontName_, c);
        return;
      case Dest::ColorTable:
        if (c == ';') {
          colors_.push_back(colorSet_ ? std::optional<Color>(color_) : std::nullopt);
          color_ = {};
          colorSet_ = false;
        }
        return;
      case Dest::Body:
        break;
    }
    RichRun run = currentRun();
    if (para_.runs.empty() || !sameLook(para_.runs.back(), run)) para_.runs.push_back(std::move(run));
    appendUtf8(para_.runs.back().text, c);
  }

  void commitFont() {
    if (!fontIndex_) return;
    std::string name = fontName_;
    while (!name.empty() && name.back() == ' ') name.pop_back();
    while (!name.empty() && name.front() == ' ') name.erase(name.begin());
    if (fonts_.size() < 4096) fonts_[*fontIndex_] = name;
    fontIndex_.reset();
    fontName_.clear();
  }

  std::string fontName(int index) const {
    const auto it = fonts_.find(index < 0 ? defaultFont_ : index);
    return it == fonts_.end() ? std::string() : it->second;
  }

  RichRun currentRun() const {
    const CharState& ch = st_.ch;
    RichRun r;
    r.font = fontName(ch.font);
    r.size = static_cast<float>(ch.halfPoints) / 2.0f;
    r.bold = ch.bold;
    r.italic = ch.italic;
    r.underline = ch.underline;
    if (static_cast<std::size_t>(ch.color) < colors_.size()) r.color = colors_[static_cast<std::size_t>(ch.color)];
    return r;
  }

  static bool sameLook(const RichRun& a, const RichRun& b) {
    return a.font == b.font && a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.color == b.color;
  }

  void endParagraph() {
    if (st_.dest != Dest::Body) return;
    const ParaState& pa = st_.para;
    para_.alignment = pa.alignment;
    para_.spaceBefore = static_cast<float>(pa.spaceBefore);
    para_.spaceAfter = static_cast<float>(pa.spaceAfter);
    para_.leftIndent = static_cast<float>(pa.leftIndent);
    para_.firstLineIndent = static_cast<float>(pa.firstLineIndent);
    para_.tabStops = pa.tabStops;
    para_.headingLevel = pa.headingLevel;
    para_.keepWithNext = pa.keepWithNext;
    para_.mark = currentRun();
    doc_.paragraphs.push_back(std::move(para_));
    para_ = RichParagraph{};
  }

  // The default font by name; one colour shared by all text becomes the document's.
  void finish() {
    doc_.defaultFont = fontName(-1);
    for (RichParagraph& p : doc_.paragraphs) {
      for (RichRun& r : p.runs)
        if (r.font == doc_.defaultFont) r.font.clear();
      if (p.mark.font == doc_.defaultFont) p.mark.font.clear();
    }
    std::optional<std::optional<Color>> shared;
    bool one = true;
    auto visit = [&](const RichRun& r) {
      if (!shared)
        shared = r.color;
      else if (*shared != r.color)
        one = false;
    };
    for (const RichParagraph& p : doc_.paragraphs) {
      for (const RichRun& r : p.runs) visit(r);
      visit(p.mark);
    }
    if (!one || !shared || !*shared) return;
    doc_.textColor = **shared;
    for (RichParagraph& p : doc_.paragraphs) {
      for (RichRun& r : p.runs) r.color.reset();
      p.mark.color.reset();
    }
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  State st_;
  std::vector<State> stack_;
  std::size_t flattened_ = 0;
  bool destinationPending_ = false;
  RichDocument doc_;
  RichParagraph para_;
  int defaultFont_ = 0;
  std::map<int, std::string> fonts_;
  std::optional<int> fontIndex_;
  std::string fontName_;
  std::vector<std::optional<Color>> colors_;
  Color color_;
  bool colorSet_ = false;
  std::optional<char32_t> highSurrogate_;
};

}  // namespace

RichDocument readRtf(std::string_view rtf) { return Reader(rtf).run(); }

}  // namespace tj
