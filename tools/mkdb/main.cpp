// SPDX-License-Identifier: GPL-3.0-or-later
// tankjagd-mkdb: builds the game's question and action card database from the content
// folder, optionally with questions imported from spreadsheets (.xlsx, .ods, .xls, CSV),
// GIFT or Aiken files.
// Reports go to stdout, errors and warnings to stderr, in German; exit code 1 on an error.
#include <algorithm>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "content/rules.h"
#include "data/builder.h"
#include "data/import.h"
#include "data/set_file.h"

namespace {

using namespace tj::data;

constexpr const char* kUsage =
    "Aufruf: tankjagd-mkdb <Ausgabe.mdb> <Ordner mit den .tsv-Dateien> [Optionen]\n"
    "  --leicht DATEI      Fragen aus DATEI als leichte Fragen dazunehmen\n"
    "  --schwer DATEI      Fragen aus DATEI als schwere Fragen dazunehmen\n"
    "  --fragen DATEI      Fragen aus DATEI nach deren Spalte mit der Stufe dazunehmen\n"
    "  --blatt BLATT       aus den folgenden Tabellen das Tabellenblatt BLATT nehmen\n"
    "                      (Name oder Nummer ab 1; sonst das erste)\n"
    "  --nur-importierte   die Fragen des Ordners weglassen (seine Aktionskarten bleiben)\n"
    "  --pruefen           jeden Eintrag nach den Regeln des Spiels prüfen und warnen\n"
    "DATEI: Tabelle (.xlsx, .ods, .xls), CSV oder Tabulatortext (UTF-8, UTF-16,\n"
    "Windows-1252), GIFT oder Aiken.\n";

struct Import {
  std::optional<Level> level;  // none: the file's level column decides
  std::string file;
  std::optional<std::string> sheet;  // a spreadsheet's sheet by name or number; none: the first
};

struct Options {
  std::string out, dir;
  std::vector<Import> imports;
  bool onlyImported = false;
  bool check = false;
};

std::optional<Options> parse(int argc, char** argv) {
  Options o;
  std::vector<std::string> plain;
  std::optional<std::string> sheet;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    const bool takesFile = a == "--leicht" || a == "--schwer" || a == "--fragen";
    if (takesFile && i + 1 < argc) {
      const std::optional<Level> level = a == "--leicht"   ? std::optional(Level::Easy)
                                         : a == "--schwer" ? std::optional(Level::Hard)
                                                           : std::nullopt;
      o.imports.push_back({level, argv[++i], sheet});
    } else if (a == "--blatt" && i + 1 < argc) {
      sheet = argv[++i];
    } else if (a == "--nur-importierte") {
      o.onlyImported = true;
    } else if (a == "--pruefen") {
      o.check = true;
    } else if (a.starts_with("--") || takesFile || a == "--blatt") {
      return std::nullopt;
    } else {
      plain.emplace_back(a);
    }
  }
  if (plain.size() != 2) return std::nullopt;
  o.out = plain[0];
  o.dir = plain[1];
  return o;
}

// The sheet the import names; 0 for any file that is no spreadsheet.
std::size_t sheetOf(const Import& import) {
  if (!import.sheet) return 0;
  const std::string bytes = readImportFile(import.file);
  const FileKind kind = fileKind(bytes);
  if (!isSpreadsheet(kind)) return 0;
  return sheetIndex(sheetNames(bytes, kind, import.file), *import.sheet, import.file);
}

// Adds the file's questions to the set and prints its report.
void importInto(QuestionSet& set, const Import& import) {
  ImportResult result = importFile(import.file, ImportFormat::Auto, std::nullopt, sheetOf(import));
  tj::content::skipRepeats(result);
  std::vector<ImportedQuestion> taken;
  for (auto& q : result.accepted) {
    const std::optional<Level> level = import.level ? import.level : q.level;
    if (!level)
      result.skipped.push_back({q.line, "keine Stufe (leicht oder schwer)", q.question.text});
    else
      (*level == Level::Easy ? set.easy : set.hard).push_back(q.question), taken.push_back(std::move(q));
  }
  result.accepted = std::move(taken);
  std::stable_sort(result.skipped.begin(), result.skipped.end(),
                   [](const SkippedQuestion& a, const SkippedQuestion& b) { return a.line < b.line; });
  std::cout << import.file << ": " << reportText(result) << '\n';
}

void warnAboutContent(const QuestionSet& set) {
  using namespace tj::content;
  for (const auto& font : missingFonts()) std::cerr << "Warnung: Schrift " << font << " fehlt; Längen ungenau.\n";
  auto problems = checkSet(set);
  for (const Table t : {Table::Easy, Table::Hard}) {
    auto fairness = checkFairness(t == Table::Easy ? set.easy : set.hard, t);
    problems.insert(problems.end(), fairness.begin(), fairness.end());
  }
  for (const Problem& p : problems) {
    std::cerr << "Warnung: " << tableCaption(p.table);
    if (p.record >= 0) std::cerr << ", Eintrag " << p.record + 1;
    if (p.field >= 0) std::cerr << ", " << fieldName(p.table, p.field);
    std::cerr << ": " << p.message << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = parse(argc, argv);
  if (!options) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    if (options->imports.empty() && !options->check) {
      buildGameDatabase(options->out, options->dir);
      return 0;
    }
    QuestionSet set = readSet(options->dir).set;
    if (options->onlyImported) set.easy.clear(), set.hard.clear();
    for (const Import& i : options->imports) importInto(set, i);
    if (options->check) warnAboutContent(set);
    saveSet(options->out, set);
  } catch (const std::exception& e) {
    std::cerr << "tankjagd-mkdb: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
