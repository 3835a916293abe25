// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/rules.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <unordered_map>

#include "data/builder.h"
#include "data/quoted.h"
#include "game/cards.h"
#include "screens/action/frm_aktion.h"
#include "screens/question/frm_fragen.h"
#include "text/characters.h"
#include "text/font_choice.h"
#include "text/text_measure.h"

namespace tj::content {

namespace {

using data::inQuotes;

// ---- The elements that show a record ------------------------------------------------

// A box of the game's dialogs, the font it is drawn in and the pixels its text may fill.
struct Box {
  const TextBox& layout;  // where and how the dialog draws it
  const char* what;  // German, "die Frage" ...
  text::TextMeasure font;
  TextRoom room = textRoom(layout);

  Box(const TextBox& box, const char* description)
      : layout(box),
        what(description),
        font({std::string(text::drawnFamily(box.font.name)),
              text::pixelSize(box.font.size, text::kUnscaledPixelsPerPoint), box.font.bold, box.font.italic}) {}
};

struct Boxes {
  Box question{kQuestionBox, "die Frage"};
  Box answer{kAnswerBox, "einen Antwortknopf"};
  Box cardTitle{kCardTitleBox, "den Kartentitel"};
  Box cardText{kCardTextBox, "den Kartentext"};
};

const Boxes& boxes() {
  static const Boxes b;
  return b;
}

// Why `text` does not fit `box` when word-wrapped, or nothing when it fits.
std::optional<std::string> measure(const Box& box, const std::string& text) {
  if (const auto piece = box.font.widestPiece(text); piece.width > box.room.width)
    return "Das Wort " + inQuotes(piece.text) + " ist zu breit für " + box.what + " im Spiel.";
  const text::Extent need = box.font.wrapped(text, box.room.width);
  if (need.width > box.room.width || need.height > box.room.height)
    return std::string("Der Text ist zu lang für ") + box.what + " im Spiel (" + std::to_string(need.height) +
           " statt " + std::to_string(box.room.height) + " Pixel hoch).";
  return std::nullopt;
}

// Measuring is text layout, by far the slowest rule; the editor checks the whole set after
// every change, so each text is measured once per element. Safe across threads.
std::optional<std::string> misfit(const Box& box, const std::string& text) {
  if (!box.font.usable()) return std::nullopt;
  static std::mutex mutex;
  static std::unordered_map<std::string, std::optional<std::string>> known;
  constexpr std::size_t kMostKnown = 200000;
  std::string key = std::string(box.what) + '\0' + text;
  {
    const std::lock_guard lock(mutex);
    if (const auto it = known.find(key); it != known.end()) return it->second;
  }
  auto why = measure(box, text);
  const std::lock_guard lock(mutex);
  if (known.size() >= kMostKnown) known.clear();
  known.emplace(std::move(key), why);
  return why;
}

// ---- Texts compared as players read them ----------------------------------------------

// Case and blanks do not count.
std::u32string sameForPlayers(const std::string& s) {
  std::u32string out;
  for (const char32_t c : text::decodeUtf8(s))
    if (!text::isSpace(c)) out += text::folded(c);
  return out;
}

// Questions compared by their letters and digits only.
std::u32string questionKey(const std::string& s) {
  std::u32string out;
  for (const char32_t c : text::decodeUtf8(s))
    if (text::isLetterOrNumber(c)) out += text::folded(c);
  return out;
}

// ---- Cards ----------------------------------------------------------------------------

// The pictures (Bilder/<n>.gif) drawn for each code's effect.
const std::map<std::string, std::set<std::string>>& picturesForCode() {
  static const auto m = [] {
    std::map<std::string, std::set<std::string>> out;
    for (const KnownCard& card : kKnownCards)
      for (int n = card.firstPicture; n < card.firstPicture + card.pictureCount; ++n)
        out[std::string(card.code)].insert(std::to_string(n));
    return out;
  }();
  return m;
}

std::string joined(const std::set<std::string>& items) {
  std::string out;
  for (const auto& s : items) out += (out.empty() ? "" : ", ") + s;
  return out;
}

// ---- Fields ---------------------------------------------------------------------------

void checkText(std::vector<Problem>& out, Table table, int record, int field, const std::string& text) {
  const auto add = [&](std::string message) { out.push_back({table, record, field, std::move(message), false}); };
  if (text.empty()) {
    add("Das Feld " + inQuotes(fieldName(table, field)) + " ist leer.");
    return;
  }
  if (text.find_first_of("\t\r\n") != std::string::npos)
    add("Das Feld " + inQuotes(fieldName(table, field)) + " enthält einen Tabulator oder Zeilenumbruch.");
  const std::u32string characters = text::decodeUtf8(text);
  if (text::isSpace(characters.front()) || text::isSpace(characters.back()))
    add("Das Feld " + inQuotes(fieldName(table, field)) + " hat ein Leerzeichen am Anfang oder Ende.");
}

void checkFit(std::vector<Problem>& out, Table table, int record, int field, const Box& box, const std::string& text) {
  if (text.empty()) return;
  if (auto why = misfit(box, text)) out.push_back({table, record, field, std::move(*why), false});
}

}  // namespace

std::string fieldName(Table table, int field) {
  const auto& layout = data::gameTables().at(static_cast<std::size_t>(table));
  std::vector<std::string_view> fields = layout.required;
  fields.insert(fields.end(), layout.optional.begin(), layout.optional.end());
  if (field < 0 || static_cast<std::size_t>(field) >= fields.size()) return {};
  return std::string(fields[static_cast<std::size_t>(field)]);
}

std::vector<Problem> checkQuestion(const data::Question& question, Table table, int record) {
  std::vector<Problem> out;
  const auto fields = data::questionFields(question);
  for (int f = 0; f <= kRightAnswer; ++f) checkText(out, table, record, f, *fields[static_cast<std::size_t>(f)]);
  std::map<std::u32string, int> seen;
  for (int f = 1; f <= kRightAnswer; ++f) {
    const std::string& answer = *fields[static_cast<std::size_t>(f)];
    if (answer.empty()) continue;
    const auto [it, fresh] = seen.emplace(sameForPlayers(answer), f);
    if (!fresh)
      out.push_back({table, record, f,
                     "Die Antworten " + inQuotes(fieldName(table, it->second)) + " und " +
                         inQuotes(fieldName(table, f)) + " sind gleich.",
                     false});
  }
  checkFit(out, table, record, kQuestionText, boxes().question, question.text);
  for (int f = 1; f <= kRightAnswer; ++f)
    checkFit(out, table, record, f, boxes().answer, *fields[static_cast<std::size_t>(f)]);
  return out;
}

std::vector<Problem> checkCard(const data::Card& card, int record) {
  std::vector<Problem> out;
  const Table t = Table::Cards;
  const auto fields = data::cardFields(card);
  for (int f = 0; f < std::ssize(fields); ++f) checkText(out, t, record, f, *fields[static_cast<std::size_t>(f)]);
  const auto& pictures = picturesForCode();
  const auto it = pictures.find(card.code);
  if (!card.code.empty() && it == pictures.end()) {
    std::string codes;
    for (const auto& [code, pics] : pictures) codes += (codes.empty() ? "" : ", ") + code;
    out.push_back({t, record, kCardCode,
                   "Das Aktionskürzel " + inQuotes(card.code) + " kennt das Spiel nicht (möglich: " + codes + ").",
                   false});
  } else if (it != pictures.end() && !card.picture.empty() && !it->second.contains(card.picture)) {
    out.push_back({t, record, kCardPicture,
                   "Für " + inQuotes(card.code) + " hat das Spiel kein Bild " + inQuotes(card.picture) +
                       " (passend: " + joined(it->second) + ").",
                   false});
  }
  checkFit(out, t, record, kCardTitle, boxes().cardTitle, card.title);
  checkFit(out, t, record, kCardText, boxes().cardText, card.text);
  return out;
}

std::vector<Problem> checkSet(const data::QuestionSet& set) {
  std::vector<Problem> out;
  std::map<std::u32string, std::pair<Table, int>> seen;
  const auto empty = [&](Table t) {
    out.push_back({t, -1, -1,
                   "Die Tabelle " + inQuotes(std::string(data::tableCaption(t))) +
                       " ist leer; so lässt sich das Spiel nicht spielen.",
                   true});
  };
  for (const Table t : {Table::Easy, Table::Hard}) {
    const auto& questions = t == Table::Easy ? set.easy : set.hard;
    if (questions.empty()) empty(t);
    for (std::size_t i = 0; i < questions.size(); ++i) {
      const int record = static_cast<int>(i);
      auto problems = checkQuestion(questions[i], t, record);
      out.insert(out.end(), problems.begin(), problems.end());
      const std::u32string key = questionKey(questions[i].text);
      if (key.empty()) continue;
      const auto [it, fresh] = seen.emplace(key, std::pair{t, record});
      if (!fresh)
        out.push_back({t, record, kQuestionText,
                       "Die Frage steht schon in " + inQuotes(std::string(data::tableCaption(it->second.first))) +
                           ", Zeile " + std::to_string(it->second.second + 1) + ".",
                       false});
    }
  }
  if (set.cards.empty()) empty(Table::Cards);
  for (std::size_t i = 0; i < set.cards.size(); ++i) {
    auto problems = checkCard(set.cards[i], static_cast<int>(i));
    out.insert(out.end(), problems.begin(), problems.end());
  }
  return out;
}

void skipRepeats(data::ImportResult& result) {
  std::map<std::u32string, int> first;  // question key -> line
  std::vector<data::ImportedQuestion> kept;
  for (auto& q : result.accepted) {
    const std::u32string key = questionKey(q.question.text);
    const auto [it, fresh] = first.emplace(key, q.line);
    if (fresh || key.empty())
      kept.push_back(std::move(q));
    else
      result.skipped.push_back({q.line, "steht schon in Zeile " + std::to_string(it->second), q.question.text});
  }
  result.accepted = std::move(kept);
  std::stable_sort(result.skipped.begin(), result.skipped.end(),
                   [](const data::SkippedQuestion& a, const data::SkippedQuestion& b) { return a.line < b.line; });
}

std::vector<std::string> cardCodes() {
  std::vector<std::string> out;
  for (const auto& [code, pictures] : picturesForCode()) out.push_back(code);
  return out;
}

std::vector<std::string> picturesFor(const std::string& code) {
  const auto it = picturesForCode().find(code);
  if (it == picturesForCode().end()) return {};
  return {it->second.begin(), it->second.end()};
}

std::vector<std::string> missingFonts() {
  std::vector<std::string> out;
  for (const Box* box : {&boxes().question, &boxes().cardText})
    if (!box->font.hasRequestedFamily()) out.emplace_back(text::drawnFamily(box->layout.font.name));
  return out;
}

}  // namespace tj::content
