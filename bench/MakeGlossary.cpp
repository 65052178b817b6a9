// Writes a TBX glossary of made-up terms (see GeneratedGlossary) for the whole-process figures of
// `xgtool check --glossary`.
//   make_glossary TERMS OUT.tbx
#include <cstdio>
#include <exception>
#include <string>

#include "bench/GeneratedGlossary.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_glossary TERMS OUT.tbx\n");
    return 2;
  }
  try {
    const TGlossary glossary = GeneratedGlossary(std::stoul(argv[1]));
    SaveTbx(glossary, argv[2]);
    std::printf("%zu terms written to %s\n", glossary.Entries.size(), argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_glossary: %s\n", error.what());
    return 3;
  }
  return 0;
}
