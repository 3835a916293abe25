// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/text_measure.h"

#include "text/characters.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tj::text {

namespace {

// Lengths in 1/64 pixel, the unit of FreeType and of the front end's layout.
using Fixed = std::int64_t;

int ceilPixels(Fixed v) { return static_cast<int>((v + 63) >> 6); }
Fixed ceilToPixel(Fixed v) { return (v + 63) & ~Fixed{63}; }
int roundPixels(Fixed v) { return static_cast<int>(std::floor(static_cast<double>(v) / 64.0 + 0.5)); }

// FreeType's unhinted outlines: the front end measures texts in design metrics.
constexpr FT_Int32 kLoadFlags = FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;

// A line may break after these when a letter follows (hyphen-minus, hyphen, en dash, slash).
bool breaksBeforeLetter(char32_t c) { return c == '-' || c == 0x2010 || c == 0x2013 || c == '/'; }

// A piece of text between two places where a line may break: a word and the blanks after it.
struct Segment {
  Fixed word = 0;                  // width of the word
  Fixed blanks = 0;                // width of the blanks after it
  std::size_t first = 0, end = 0;  // its word's glyphs
};

struct Choice {
  std::string file;
  int index = 0;
  bool requested = false;  // of the family asked for
};

// The font file fontconfig matches for `request`, as the front end's font database does.
std::optional<Choice> choose(const FontRequest& request) {
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return std::nullopt;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(request.family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, request.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, request.pixelSize);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return std::nullopt;
  Choice choice;
  FcChar8* text = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &text) == FcResultMatch) choice.file = reinterpret_cast<char*>(text);
  FcPatternGetInteger(match, FC_INDEX, 0, &choice.index);
  for (int n = 0; FcPatternGetString(match, FC_FAMILY, n, &text) == FcResultMatch; ++n)
    if (FcStrCmpIgnoreCase(text, reinterpret_cast<const FcChar8*>(request.family.c_str())) == 0)
      choice.requested = true;
  FcPatternDestroy(match);
  if (choice.file.empty()) return std::nullopt;
  return choice;
}

}  // namespace

struct TextMeasure::Font {
  bool requested = false;
  int pixelSize = 0;
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  hb_font_t* shaper = nullptr;
  hb_buffer_t* buffer = nullptr;
  Fixed ascent = 0, descent = 0, leading = 0;
  // FreeType faces and HarfBuzz buffers are not safe across threads.
  std::mutex mutex;
  std::unordered_map<unsigned, Fixed> advances, overhangs;

  ~Font() {
    if (buffer) hb_buffer_destroy(buffer);
    if (shaper) hb_font_destroy(shaper);
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }

  bool open(const Choice& choice, int size) {
    requested = choice.requested;
    pixelSize = size;
    if (FT_Init_FreeType(&library) != 0) return false;
    if (FT_New_Face(library, choice.file.c_str(), choice.index, &face) != 0) return false;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size)) != 0) return false;
    shaper = hb_ft_font_create_referenced(face);
    hb_ft_font_set_load_flags(shaper, kLoadFlags);
    buffer = hb_buffer_create();
    readLineMetrics();
    return hb_buffer_allocation_successful(buffer);
  }

  // Ascent, descent and the gap between lines from the horizontal header, or from the
  // typographic values where the font asks for those, as the front end reads them.
  void readLineMetrics() {
    long a = face->ascender, d = -face->descender, gap = face->height - face->ascender + face->descender;
    if (const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
        hhea && (hhea->Ascender != 0 || hhea->Descender != 0)) {
      a = hhea->Ascender, d = -hhea->Descender, gap = hhea->Line_Gap;
    }
    constexpr unsigned kUseTypoMetrics = 0x80;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 && os2->version != 0xFFFF && (os2->fsSelection & kUseTypoMetrics) &&
        (os2->sTypoAscender != 0 || os2->sTypoDescender != 0)) {
      a = os2->sTypoAscender, d = -os2->sTypoDescender, gap = os2->sTypoLineGap;
    }
    const double em = face->units_per_EM > 0 ? face->units_per_EM : 1000;
    const auto scaled = [&](long units) { return static_cast<Fixed>(std::llround(units * pixelSize * 64.0 / em)); };
    ascent = scaled(a), descent = scaled(d), leading = scaled(gap);
  }

  // The glyph's advance in design metrics, cut to 1/64 pixel as the front end cuts it.
  Fixed advance(unsigned glyph) {
    const auto [it, fresh] = advances.try_emplace(glyph, 0);
    if (fresh) {
      FT_Fixed v = 0;
      if (FT_Get_Advance(face, glyph, kLoadFlags, &v) == 0) it->second = static_cast<Fixed>(v >> 10);
    }
    return it->second;
  }

  // How far the glyph's ink reaches past its advance, both as the front end rounds them
  // for a glyph drawn with light hinting: the ink out to whole pixels, the advance to the
  // nearest one. 0 when the ink stays within.
  Fixed overhang(unsigned glyph) {
    const auto [it, fresh] = overhangs.try_emplace(glyph, 0);
    if (fresh && FT_Load_Glyph(face, glyph, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP) == 0) {
      const FT_GlyphSlot slot = face->glyph;
      const Fixed ink = ceilToPixel(slot->metrics.horiBearingX + slot->metrics.width);
      it->second = std::max<Fixed>(0, ink - ((slot->advance.x + 32) & ~Fixed{63}));
    }
    return it->second;
  }

  // The text shaped: each glyph's width (advance and kerning) and the byte it starts at.
  struct Glyph {
    std::size_t byte;
    unsigned id;
    Fixed width;
  };
  std::vector<Glyph> shape(std::string_view text) {
    hb_buffer_clear_contents(buffer);
    hb_buffer_add_utf8(buffer, text.data(), static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(shaper, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
    std::vector<Glyph> out;
    out.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
      const unsigned id = info[i].codepoint;
      // HarfBuzz's own advance is rounded, not cut; only what shaping added is taken from it.
      const Fixed shaped = pos[i].x_advance - hb_font_get_glyph_h_advance(shaper, id);
      out.push_back({info[i].cluster, id, advance(id) + shaped});
    }
    return out;
  }

  // The text split where a line may break; `glyphs` is the shaped text.
  std::vector<Segment> segments(std::string_view text, const std::vector<Glyph>& glyphs) {
    std::vector<std::size_t> starts{0};  // bytes where a segment starts
    std::vector<bool> blank(text.size() + 1, false);
    char32_t previous = 0;
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t at = i;
      const char32_t c = nextCharacter(text, i);
      if (c == ' ') blank[at] = true;
      const bool afterBlanks = previous == ' ' && c != ' ';
      if (at > 0 && (afterBlanks || (breaksBeforeLetter(previous) && isLetter(c)))) starts.push_back(at);
      previous = c;
    }
    std::vector<Segment> out(starts.size());
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
      const Glyph& g = glyphs[i];
      const auto k = static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), g.byte) - starts.begin());
      Segment& s = out[k - 1];
      if (s.end == 0) s.first = i;
      if (g.byte < text.size() && blank[g.byte]) {
        s.blanks += g.width;
      } else {
        s.word += g.width;
        s.end = i + 1;
      }
    }
    return out;
  }
};

TextMeasure::TextMeasure(const FontRequest& request) {
  const std::optional<Choice> choice = choose(request);
  if (!choice) return;
  auto font = std::make_unique<Font>();
  if (font->open(*choice, std::max(1, request.pixelSize))) font_ = std::move(font);
}

TextMeasure::~TextMeasure() = default;

bool TextMeasure::usable() const { return font_ != nullptr; }

bool TextMeasure::hasRequestedFamily() const { return font_ && font_->requested; }

TextMeasure::Piece TextMeasure::widestPiece(std::string_view text) const {
  if (!font_) return {};
  const std::lock_guard lock(font_->mutex);
  const std::vector<Font::Glyph> glyphs = font_->shape(text);
  const Segment* widest = nullptr;
  const std::vector<Segment> segments = font_->segments(text, glyphs);
  for (const Segment& s : segments)
    if (s.end > s.first && (!widest || s.word > widest->word)) widest = &s;
  if (!widest) return {};
  const std::size_t from = glyphs[widest->first].byte;
  std::size_t to = text.size();
  for (std::size_t i = widest->end; i < glyphs.size(); ++i) to = std::min(to, glyphs[i].byte);
  return {std::string(text.substr(from, to - from)), roundPixels(widest->word)};
}

Extent TextMeasure::wrapped(std::string_view text, int width) const {
  if (!font_) return {};
  const std::lock_guard lock(font_->mutex);
  Font& font = *font_;
  const Fixed room = Fixed{width} * 64;
  const std::vector<Font::Glyph> glyphs = font.shape(text);
  Fixed line = 0, widest = 0, pendingBlanks = 0;
  int lines = 1;
  bool empty = true;
  // Greedy, as the front end fills a line: a word goes on while it ends, with its last
  // glyph's ink, within the width; the blanks at the end of a line take no room. A word
  // too wide for a line of its own overflows it.
  for (const Segment& s : font.segments(text, glyphs)) {
    const Fixed ink = s.end > 0 ? font.overhang(glyphs[s.end - 1].id) : 0;
    if (!empty && line + pendingBlanks + s.word + ink > room) {
      widest = std::max(widest, line);
      ++lines;
      line = s.word;
    } else {
      line += (empty ? 0 : pendingBlanks) + s.word;
    }
    empty = false;
    pendingBlanks = s.blanks;
  }
  widest = std::max(widest, line);
  // Each line after the first starts on a whole pixel, one gap below the line before.
  const Fixed lineHeight = font.ascent + font.descent;
  Fixed bottom = lineHeight;
  for (int i = 1; i < lines; ++i) bottom = ceilToPixel(bottom + font.leading) + lineHeight;
  return {ceilPixels(widest), ceilPixels(bottom), lines};
}

}  // namespace tj::text
