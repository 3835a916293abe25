// SPDX-License-Identifier: GPL-3.0-or-later
// Texts measured as the Qt front end lays them out, without Qt: fontconfig picks the font
// file, FreeType reads it and HarfBuzz shapes the text, as they do under Qt on Debian.
// Widths are those of the front end's font metrics to a fraction of a pixel. Lines break
// after blanks, and after a hyphen, dash or slash that a letter follows: places where the
// front end breaks too, so a wrapped text is never measured shorter than it is drawn.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tj::text {

// A font as the front end asks for it.
struct FontRequest {
  std::string family;  // an installed family (see drawnFamily)
  int pixelSize = 13;
  bool bold = false;
  bool italic = false;
};

// A text laid out in lines, in whole pixels rounded up.
struct Extent {
  int width = 0;   // the widest line, without its trailing blanks
  int height = 0;  // the lines stacked as the front end stacks them
  int lines = 0;
};

// One font, opened once. Safe to use from several threads at once.
class TextMeasure {
 public:
  explicit TextMeasure(const FontRequest& request);
  ~TextMeasure();
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;

  // False when no font file could be opened; every width and height is then 0.
  bool usable() const;
  // Whether the file fontconfig chose is of the family requested (when not, the texts are
  // measured in a stand-in and are only roughly right).
  bool hasRequestedFamily() const;

  // The widest piece of `text` (UTF-8) that no line break splits (a word, or a part of a
  // hyphenated one), with its width rounded to whole pixels; the first of equal ones.
  struct Piece {
    std::string text;
    int width = 0;
  };
  Piece widestPiece(std::string_view text) const;
  // `text` (UTF-8) wrapped into lines of at most `width` pixels; a word wider than that
  // takes a line of its own and makes the extent wider than `width`.
  Extent wrapped(std::string_view text, int width) const;

 private:
  struct Font;
  std::unique_ptr<Font> font_;
};

}  // namespace tj::text
