// SPDX-License-Identifier: GPL-3.0-or-later
// Question bank text from learning platforms: GIFT and Aiken.
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "data/import.h"
#include "data/import_detail.h"

namespace tj::data {

using namespace import_detail;

namespace {

// The text as lines without their line ends.
std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    auto line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  if (lines.size() == 1 && lines[0].empty()) lines.clear();
  return lines;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// Blind to the case of ASCII letters only, whatever the locale: the keywords are ASCII, and
// another byte (a part of a UTF-8 character) must match itself exactly.
bool equalsNoCase(std::string_view a, std::string_view b) {
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return upper(x) == upper(y); });
}

// ---- GIFT ---------------------------------------------------------------------------

// One question's text with the line each character came from.
struct Block {
  std::string text;
  std::vector<int> lineOf;  // per character
  int line() const { return lineOf.empty() ? 0 : lineOf.front(); }
};

[[noreturn]] void giftError(const std::string& file, int line, const std::string& what) {
  throw ImportError("In " + inQuotes(file) + ", Zeile " + std::to_string(line) + ": " + what);
}

// Position of the first unescaped `c` in s from `from`, or npos.
std::size_t findUnescaped(std::string_view s, char c, std::size_t from = 0) {
  for (std::size_t i = from; i < s.size(); ++i) {
    if (s[i] == '\\')
      ++i;
    else if (s[i] == c)
      return i;
  }
  return std::string_view::npos;
}

std::size_t findUnescaped(std::string_view s, std::string_view what, std::size_t from = 0) {
  for (std::size_t i = from; i + what.size() <= s.size(); ++i) {
    if (s[i] == '\\')
      ++i;
    else if (s.substr(i, what.size()) == what)
      return i;
  }
  return std::string_view::npos;
}

// GIFT escapes resolved; "\n" is a line break, which becomes a blank like any other.
std::string unescape(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      ++i;
      out += s[i] == 'n' ? ' ' : s[i];
    } else {
      out += s[i];
    }
  }
  return cleanText(out);
}

// Plain text of an [html] question: tags dropped, the common entities resolved.
std::string plainFromHtml(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '<') {
      const auto close = s.find('>', i);
      if (close == std::string_view::npos) break;
      // Breaks and paragraphs part words; bold, italic and the like do not.
      const auto tag = s.substr(i + 1, close - i - 1);
      for (const std::string_view block : {"br", "p", "/p", "div", "/div", "li", "/li"})
        if (tag == block || tag.starts_with(std::string(block) + " ") || tag == std::string(block) + "/") out += ' ';
      i = close;
      continue;
    }
    out += s[i];
  }
  static const std::pair<std::string_view, std::string_view> kEntities[] = {
      {"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
  for (const auto& [entity, text] : kEntities)
    for (auto at = out.find(entity); at != std::string::npos; at = out.find(entity, at + text.size()))
      out.replace(at, entity.size(), text);
  return out;
}

struct Answer {
  char mark;   // '=' or '~'
  int weight;  // percent; 100 for '=' and 0 for '~' unless written
  std::string text;
};

// The kind of a question that is no single-choice question with four answers, or nothing.
std::optional<std::string> giftKind(std::string_view body, std::vector<Answer>& answers, const std::string& file,
                                    int line) {
  body = trim(body);
  if (const auto general = findUnescaped(body, "####"); general != std::string_view::npos)
    body = trim(body.substr(0, general));
  if (body.empty()) return "Freitextfrage";
  if (body.front() == '#') return "Zahlenfrage";
  const auto hash = findUnescaped(body, '#');
  const auto head = trim(body.substr(0, hash));
  for (const char* tf : {"T", "F", "TRUE", "FALSE", "WAHR", "FALSCH"})
    if (equalsNoCase(head, tf)) return "Wahr/Falsch-Frage";
  if (body.front() != '=' && body.front() != '~') giftError(file, line, "Vor der ersten Antwort fehlt „=“ oder „~“.");
  std::size_t i = 0;
  while (i < body.size()) {
    const char mark = body[i++];
    std::size_t end = i;
    while (end < body.size() && body[end] != '=' && body[end] != '~') end += body[end] == '\\' ? 2 : 1;
    end = std::min(end, body.size());
    std::string_view text = body.substr(i, end - i);
    if (findUnescaped(text, "->") != std::string_view::npos) return "Zuordnungsfrage";
    if (const auto fb = findUnescaped(text, '#'); fb != std::string_view::npos) text = text.substr(0, fb);
    text = trim(text);
    int weight = mark == '=' ? 100 : 0;
    if (text.starts_with('%')) {
      const auto close = text.find('%', 1);
      if (close == std::string_view::npos) giftError(file, line, "Eine Gewichtung „%…%“ wird nicht geschlossen.");
      weight = std::atoi(std::string(text.substr(1, close - 1)).c_str());
      text = trim(text.substr(close + 1));
    }
    answers.push_back({mark, weight, unescape(text)});
    i = end;
  }
  const auto rights = std::count_if(answers.begin(), answers.end(), [](const Answer& a) { return a.mark == '='; });
  if (rights == static_cast<long>(answers.size())) return "Kurzantwortfrage";
  for (const Answer& a : answers)
    if ((a.mark == '=' && a.weight != 100) || (a.mark == '~' && a.weight > 0)) return "Frage mit Teilpunkten";
  return std::nullopt;
}

void importGiftBlock(const Block& block, const std::string& file, ImportResult& result) {
  std::string_view s = block.text;
  const auto lineAt = [&](std::size_t offset) { return block.lineOf[std::min(offset, block.lineOf.size() - 1)]; };
  std::size_t start = 0;
  while (start < s.size() && std::isspace(static_cast<unsigned char>(s[start]))) ++start;
  if (s.substr(start, 2) == "::") {
    const auto close = findUnescaped(s, "::", start + 2);
    if (close == std::string_view::npos)
      giftError(file, lineAt(start), "Der Titel „::…“ wird nicht mit „::“ geschlossen.");
    start = close + 2;
  }
  const int line = lineAt(start);
  const auto open = findUnescaped(s, '{', start);
  if (open == std::string_view::npos) {
    if (findUnescaped(s, '}', start) != std::string_view::npos) giftError(file, line, "„}“ ohne „{“.");
    result.skipped.push_back({line, "Text ohne Antworten", unescape(s.substr(start))});
    return;
  }
  const auto close = findUnescaped(s, '}', open + 1);
  if (close == std::string_view::npos) giftError(file, lineAt(open), "„{“ wird nicht mit „}“ geschlossen.");
  if (const auto inner = findUnescaped(s, '{', open + 1); inner < close)
    giftError(file, lineAt(open),
              "„{“ wird nicht vor dem nächsten „{“ (Zeile " + std::to_string(lineAt(inner)) + ") mit „}“ geschlossen.");
  if (findUnescaped(s, '{', close + 1) != std::string_view::npos ||
      findUnescaped(s, '}', close + 1) != std::string_view::npos)
    giftError(file, lineAt(close + 1), "Eine Frage hat nur einen Antwortblock „{…}“; fehlt eine Leerzeile davor?");

  std::string_view question = trim(s.substr(start, open - start));
  bool html = false;
  if (question.starts_with('[')) {
    const auto tag = question.find(']');
    html = tag != std::string_view::npos && question.substr(0, tag + 1) == "[html]";
    if (tag != std::string_view::npos) question = trim(question.substr(tag + 1));
  }
  std::vector<Answer> answers;
  std::optional<std::string> kind = giftKind(s.substr(open + 1, close - open - 1), answers, file, lineAt(open));
  if (!kind && !trim(s.substr(close + 1)).empty()) kind = "Lückentext";
  const std::string text = unescape(html ? plainFromHtml(question) : std::string(question));
  if (kind) {
    result.skipped.push_back({line, *kind, text});
    return;
  }
  if (text.empty()) {
    result.skipped.push_back({line, "keine Frage", {}});
    return;
  }
  ImportedQuestion q{{text, {}, {}}, std::nullopt, line};
  int wrong = 0, right = 0;
  for (const Answer& a : answers) {
    if (a.text.empty()) {
      result.skipped.push_back({line, "eine leere Antwort", text});
      return;
    }
    if (a.mark == '=')
      q.question.right = a.text, ++right;
    else if (wrong < 3)
      q.question.wrong[static_cast<std::size_t>(wrong++)] = a.text;
    else
      ++wrong;
  }
  if (const auto problem = answerCountProblem(right, wrong)) {
    result.skipped.push_back({line, *problem, text});
    return;
  }
  result.accepted.push_back(std::move(q));
}

// ---- Aiken --------------------------------------------------------------------------

// "A) text" or "A. text": the letter and the text.
std::optional<std::pair<char, std::string_view>> aikenOption(std::string_view line) {
  if (line.size() < 3 || line[0] < 'A' || line[0] > 'Z' || (line[1] != ')' && line[1] != '.') || line[2] != ' ')
    return std::nullopt;
  return std::pair{line[0], trim(line.substr(2))};
}

// "ANSWER: B": the letter.
std::optional<char> aikenAnswer(std::string_view line) {
  if (line.size() < 7 || !equalsNoCase(line.substr(0, 6), "ANSWER")) return std::nullopt;
  auto rest = trim(line.substr(6));
  if (rest.empty() || rest.front() != ':') return std::nullopt;
  rest = trim(rest.substr(1));
  if (rest.size() != 1 || !std::isalpha(static_cast<unsigned char>(rest[0]))) return std::nullopt;
  return static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
}

}  // namespace

namespace import_detail {

bool looksLikeAiken(std::string_view text) {
  const auto lines = linesOf(text);
  return std::any_of(lines.begin(), lines.end(), [](std::string_view l) { return aikenAnswer(trim(l)).has_value(); });
}

bool looksLikeGift(std::string_view text) {
  for (const auto line : linesOf(text)) {
    const auto t = trim(line);
    if (t.starts_with("$CATEGORY:") || t.starts_with("::")) return true;
    const auto open = findUnescaped(t, '{');
    if (open != std::string_view::npos) {
      const auto inside = trim(t.substr(open + 1));
      if (inside.starts_with('=') || inside.starts_with('~') || inside.starts_with('}') || inside.starts_with('T') ||
          inside.starts_with('F') || inside.empty())
        return true;
    }
  }
  return false;
}

}  // namespace import_detail

ImportResult importGift(std::string_view text, const std::string& file) {
  ImportResult result;
  result.source = "GIFT";
  Block block;
  int depth = 0;         // inside "{…}" a blank line does not end the question
  std::string category;  // the last part of the latest "$CATEGORY:"
  const auto flush = [&] {
    const std::size_t before = result.accepted.size();
    if (!trim(block.text).empty()) importGiftBlock(block, file, result);
    for (std::size_t i = before; i < result.accepted.size(); ++i) result.accepted[i].question.topic = category;
    block = {};
  };
  const auto lines = linesOf(text);
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const int line = static_cast<int>(n) + 1;
    const auto t = trim(lines[n]);
    if (t.starts_with("//")) continue;
    if (depth == 0 && t.starts_with("$CATEGORY:")) {
      flush();
      auto path = trim(t.substr(std::string_view("$CATEGORY:").size()));
      while (path.ends_with('/')) path.remove_suffix(1);
      category = std::string(trim(path.substr(path.rfind('/') == std::string_view::npos ? 0 : path.rfind('/') + 1)));
      continue;
    }
    if (t.empty() && depth == 0) {
      flush();
      continue;
    }
    for (std::size_t i = 0; i < lines[n].size(); ++i) {
      const char c = lines[n][i];
      if (c == '\\') {
        block.text += c;
        block.lineOf.push_back(line);
        if (++i >= lines[n].size()) break;
      } else if (c == '{') {
        ++depth;
      } else if (c == '}') {
        depth = std::max(0, depth - 1);
      }
      block.text += lines[n][i];
      block.lineOf.push_back(line);
    }
    block.text += '\n';
    block.lineOf.push_back(line);
  }
  flush();
  return result;
}

ImportResult importAiken(std::string_view text, const std::string& /*file*/) {
  ImportResult result;
  result.source = "Aiken";
  std::string question;
  std::vector<std::pair<char, std::string>> options;
  int line = 0;
  bool broken = false;  // the current question was skipped; its lines run to "ANSWER:"
  const auto reset = [&] {
    question.clear();
    options.clear();
  };
  const auto lines = linesOf(text);
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const auto t = trim(lines[n]);
    if (t.empty()) {
      broken = false;
      continue;
    }
    if (const auto letter = aikenAnswer(t)) {
      if (broken) {
        broken = false;
        continue;
      }
      if (question.empty()) {
        result.skipped.push_back({static_cast<int>(n) + 1, "„ANSWER:“ ohne Frage", {}});
        continue;
      }
      const auto right =
          std::find_if(options.begin(), options.end(), [&](const auto& o) { return o.first == *letter; });
      const int wrong = static_cast<int>(options.size()) - (right == options.end() ? 0 : 1);
      if (right == options.end()) {
        result.skipped.push_back({line, "„ANSWER:“ nennt keine der Antworten", cleanText(question)});
      } else if (const auto problem = answerCountProblem(1, wrong)) {
        result.skipped.push_back({line, *problem, cleanText(question)});
      } else {
        ImportedQuestion q{{cleanText(question), {}, right->second}, std::nullopt, line};
        std::size_t w = 0;
        for (const auto& o : options)
          if (o.first != *letter) q.question.wrong[w++] = o.second;
        result.accepted.push_back(std::move(q));
      }
      reset();
      continue;
    }
    if (broken) continue;
    const auto option = question.empty() ? std::nullopt : aikenOption(t);
    if (option) {
      if (option->first != static_cast<char>('A' + options.size())) {
        result.skipped.push_back({line, "Antworten nicht in der Folge A, B, C, D", cleanText(question)});
        reset();
        broken = true;
        continue;
      }
      options.emplace_back(option->first, cleanText(option->second));
      continue;
    }
    if (!options.empty()) {
      result.skipped.push_back({line, "keine Zeile „ANSWER:“", cleanText(question)});
      reset();
    }
    if (question.empty()) line = static_cast<int>(n) + 1;
    question += std::string(t) + ' ';
  }
  if (!question.empty()) result.skipped.push_back({line, "keine Zeile „ANSWER:“", cleanText(question)});
  return result;
}

}  // namespace tj::data
