// The places the catalogue is looked for, shared by the window and xgtool.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Installation.h"
#include "support/JD_Error.h"
#include "support/SupportTestFiles.h"

TEST(DataFileCandidates, OrderDuplicatesAndMissingFolders) {
  const struct {
    const char* name;
    std::string current, program, installed;
    std::vector<std::string> expected;
  } cases[] = {
      {"every place",
       "/home/u/work",
       "/opt/xg/bin",
       "/usr/share/xgtranslator",
       {"/home/u/work/f.txt", "/opt/xg/bin/f.txt", "/opt/xg/share/xgtranslator/f.txt",
        "/usr/share/xgtranslator/f.txt"}},
      {"run from the program's folder",
       "/opt/xg/bin",
       "/opt/xg/bin",
       "/usr/share/xgtranslator",
       {"/opt/xg/bin/f.txt", "/opt/xg/share/xgtranslator/f.txt", "/usr/share/xgtranslator/f.txt"}},
      {"installed where it was built for",
       "/tmp",
       "/usr/bin",
       "/usr/share/xgtranslator",
       {"/tmp/f.txt", "/usr/bin/f.txt", "/usr/share/xgtranslator/f.txt"}},
      {"program's folder unknown",
       "/tmp",
       "",
       "/usr/share/xgtranslator",
       {"/tmp/f.txt", "/usr/share/xgtranslator/f.txt"}},
      {"no current folder, no install prefix", "", "/a/bin/", "", {"/a/bin/f.txt", "/a/share/xgtranslator/f.txt"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DataFileCandidates("f.txt", c.current, c.program, c.installed), c.expected);
  }
}

TEST(FindCatalogue, FirstRegularFileWinsAndNoneNamesEveryPlace) {
  ScratchFolder folder;
  const std::string file = folder.Write("later.txt", "x");
  const std::string missing = folder.File("missing.txt");
  // A folder of the right name is not a catalogue.
  EXPECT_EQ(FindCatalogue({missing, folder.Path(), file, folder.Write("last.txt", "y")}), file);
  try {
    FindCatalogue({missing, folder.Path()});
    FAIL() << "no catalogue was found, yet nothing was raised";
  } catch (const TExceptionJD& error) {
    EXPECT_STREQ(error.what(), ("Catalogue not found. Looked in:\n  " + missing + "\n  " + folder.Path()).c_str());
  }
}
