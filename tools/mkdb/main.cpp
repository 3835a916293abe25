// tankjagd-mkdb <out.mdb> <dir-with-tsv>: builds the game's question and
// action card database. Errors go to stderr in German; exit code 1 then.
#include <iostream>

#include "data/builder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "Aufruf: tankjagd-mkdb <Ausgabe.mdb> <Ordner mit den .tsv-Dateien>\n";
    return 2;
  }
  try {
    tj::data::buildGameDatabase(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::cerr << "tankjagd-mkdb: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
