// The block-parameter format: parsing rules, encodings, comments, includes and look-up.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/JD_BlockPar.h"
#include "support/JD_Buf.h"
#include "support/JD_Error.h"
#include "support/JD_Str.h"
#include "support/SupportTestFiles.h"

namespace {

enum class Encoding { EightBit, Utf16Le };

std::string Bytes(const std::u16string& text, Encoding encoding) {
  return encoding == Encoding::EightBit ? WideToAnsi(text) : Utf16LeBytes(text);
}

void LoadBytes(TBlockParJD& tree, const std::string& bytes, bool keepComments = false) {
  TBufJD buffer;
  buffer.SetSize(static_cast<int32_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(buffer.Data(), bytes.data(), bytes.size());
  tree.LoadFromBuf(buffer, keepComments);
}

// The tree in one line: parameters as name=[value], blocks as name{...}, comment elements as
// #[comment]; a parameter's kept comment follows as #[...].
std::string Dump(const TBlockParJD& block) {
  std::string text;
  for (TBlockParElJD* element = block.First(); element != nullptr; element = element->Next) {
    if (!text.empty()) text += ' ';
    EXPECT_EQ(element->Owner, &block);
    switch (element->Kind) {
      case TBlockParElJD::KindParameter:
        text += WideToAnsi(element->Name) + "=[" + WideToAnsi(element->Value) + "]";
        if (!element->Comment.empty()) text += "#[" + WideToAnsi(element->Comment) + "]";
        break;
      case TBlockParElJD::KindBlock:
        EXPECT_TRUE(element->Value.empty());
        text += WideToAnsi(element->Name) + "{" + Dump(*element->SubBlock) + "}";
        break;
      default:
        EXPECT_FALSE(element->SubBlock);
        text += "#[" + WideToAnsi(element->Comment) + "]";
    }
  }
  return text;
}

std::string LoadAndDump(const std::u16string& text, Encoding encoding, bool keepComments = false) {
  TBlockParJD tree;
  LoadBytes(tree, Bytes(text, encoding), keepComments);
  return Dump(tree);
}

template <typename Call>
std::string ErrorText(Call call) {
  try {
    call();
  } catch (const TExceptionJD& error) {
    return error.what();
  }
  return "(no exception)";
}

// ---------------------------------------------------------------------------------------------
// Parsing rules, in both encodings

struct ParseCase {
  std::u16string text;
  std::string tree;
};

const std::vector<ParseCase>& ParseCases() {
  static const std::vector<ParseCase> cases = {
      {u"Key=Value", "Key=[Value]"},
      {u"Key = Value", "Key=[ Value]"},
      {u"Key=", "Key=[]"},
      {u"a=b=c", "a=[b=c]"},
      {u"=x\r\n", "=[x]"},  // fewer than three bytes would load nothing
      {u"Key=Value // note", "Key=[Value]"},
      {u"Note=a//b", "Note=[a]"},
      {u"  \tKey=Value \t ", "Key=[Value]"},
      {u"K\t=\tV", "K=[\tV]"},
      {u"Ключ=Значение", "Ключ=[Значение]"},
      {u"Name {\r\nKey=1\r\n}\r\nAfter=2", "Name{Key=[1]} After=[2]"},
      {u"Name { Key=1\r\nK2=2\r\n}\r\nA=3", "Name{Key=[1] K2=[2]} A=[3]"},
      {u"Name { Key=1 }\r\nA=3", "Name{} A=[3]"},
      {u"a = b = c {\r\nK=1\r\n}", "a = b = c{K=[1]}"},
      {u"Key=1}\r\nA=2", ""},
      {u"B{\r\nKey=1}\r\nA=2\r\n}\r\nLost=3", "B{} A=[2]"},
      {u"}\r\nA=1", ""},
      {u"Key=Va}lue\r\nA=1", ""},
      {u"N{\r\nK=1", "N{K=[1]}"},
      {u"A{\r\nB{\r\nK=1\r\n}\r\nL=2\r\n}\r\nM=3", "A{B{K=[1]} L=[2]} M=[3]"},
      {u"A{B{C{K=1", "A{B{C{K=[1]}}}"},
      {u"N { K=1", "N{K=[1]}"},  // the opening line is the last line: its pending text still counts
      {u"N{}", "N{}"},
      {u"N // c {\r\nK=1", "K=[1]"},  // a brace inside a comment opens nothing
      {u"//only a comment\r\nK=1", "K=[1]"},
      {u"text without markers\r\nK=1", "K=[1]"},
      {u"a{b{c\r\nK=1", "a{b{K=[1]}}"},
      {u"Key=1\r\n\r\n\r\n\r\nKey=2", "Key=[1] Key=[2]"},
  };
  return cases;
}

TEST(BlockParFormat, LinesParseAlikeInEightBitAndUtf16Le) {
  for (Encoding encoding : {Encoding::EightBit, Encoding::Utf16Le}) {
    for (const auto& c : ParseCases()) {
      SCOPED_TRACE((encoding == Encoding::EightBit ? "8-bit: " : "UTF-16LE: ") + WideToAnsi(c.text));
      EXPECT_EQ(LoadAndDump(c.text, encoding), c.tree);
    }
  }
}

TEST(BlockParFormat, FailuresCarryTheOffendingTextAndKeepWhatWasLoaded) {
  struct Case {
    std::u16string text;
    std::string message;
    std::string treeAfter;
  };
  const std::vector<Case> cases = {
      {u"{\r\n", "TBlockParJD.LoadFromBuf_r. tstr={", ""},
      {u"K=1\r\n  { x = y // c", "TBlockParJD.LoadFromBuf_r. tstr={ x = y", "K=[1]"},
      {u"A{\r\nK=1\r\n{Ключ", "TBlockParJD.LoadFromBuf_r. tstr={Ключ", "A{K=[1]}"},
      {u"A = no-such-include.xg-test {\r\nK=1\r\n}\r\nL=2", "TFileJD.Open. FileName=no-such-include.xg-test",
       "A{K=[1]}"},
  };
  for (Encoding encoding : {Encoding::EightBit, Encoding::Utf16Le}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(WideToAnsi(c.text));
      TBlockParJD tree;
      EXPECT_EQ(ErrorText([&] { LoadBytes(tree, Bytes(c.text, encoding)); }), c.message);
      EXPECT_EQ(Dump(tree), c.treeAfter);
    }
  }
}

TEST(BlockParFormat, LineEndsCrLfLfAndCrGiveTheSameTree) {
  const std::u16string lines[] = {u"A=1", u"B{", u"C=2", u"}", u"D=3"};
  for (Encoding encoding : {Encoding::EightBit, Encoding::Utf16Le}) {
    for (std::u16string end : {u"\r\n", u"\n", u"\r", u"\n\r"}) {
      std::u16string text;
      for (const auto& line : lines) text += line + end;
      EXPECT_EQ(LoadAndDump(text, encoding), "A=[1] B{C=[2]} D=[3]");
    }
  }
}

TEST(BlockParFormat, OnlyAThirdLineEndMakesABlankLine) {
  for (Encoding encoding : {Encoding::EightBit, Encoding::Utf16Le}) {
    EXPECT_EQ(LoadAndDump(u"A=1\n\nB=2", encoding, true), "A=[1] B=[2]");
    EXPECT_EQ(LoadAndDump(u"A=1\n\n\nB=2", encoding, true), "A=[1] #[] B=[2]");
    EXPECT_EQ(LoadAndDump(u"A=1\r\n\r\nB=2", encoding, true), "A=[1] #[] B=[2]");
  }
}

TEST(BlockParFormat, KeptCommentsAndDroppedComments) {
  struct Case {
    std::u16string text;
    std::string kept, dropped;
  };
  const std::vector<Case> cases = {
      {u"// note\r\nK=1", "#[// note] K=[1]", "K=[1]"},
      {u"K=V   // c", "K=[V]#[   // c]", "K=[V]"},
      {u"K=V", "K=[V]", "K=[V]"},
      {u"N { // c\r\n}", "N{}", "N{}"},  // the opening line's comment goes
      {u"N{\r\n//in\r\n}", "N{#[//in]}", "N{}"},
      {u"plain text\r\nx // c", "#[] #[ // c]", ""},
      {u"A=1\n\n\n//x", "A=[1] #[] #[//x]", "A=[1]"},
  };
  for (Encoding encoding : {Encoding::EightBit, Encoding::Utf16Le}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(WideToAnsi(c.text));
      EXPECT_EQ(LoadAndDump(c.text, encoding, true), c.kept);
      EXPECT_EQ(LoadAndDump(c.text, encoding, false), c.dropped);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Encoding detection

TEST(BlockParEncoding, FewerThanThreeBytesOrOnlyTheMarkLoadNothing) {
  for (std::string bytes :
       {std::string(), std::string("K"), std::string("K="), std::string("\xFF\xFE"), std::string("\xFF\xFE\x4B")}) {
    TBlockParJD tree;
    LoadBytes(tree, bytes);
    EXPECT_EQ(tree.First(), nullptr) << bytes;
  }
  EXPECT_EQ(LoadAndDump(u"K=1", Encoding::EightBit), "K=[1]");  // three bytes are enough
}

TEST(BlockParEncoding, OddFinalByteOfUtf16LeIsDropped) {
  for (std::u16string text : {u"K=1", u"K=1\r\nL=2", u"K=1\r\n", u"N{\r\nK=1"}) {
    TBlockParJD tree;
    LoadBytes(tree, Utf16LeBytes(text) + "X");
    TBlockParJD reference;
    LoadBytes(reference, Utf16LeBytes(text));
    EXPECT_EQ(Dump(tree), Dump(reference)) << WideToAnsi(text);
    EXPECT_NE(tree.First(), nullptr);
  }
}

TEST(BlockParEncoding, OnlyTheUtf16LeMarkIsRecognised) {
  // Without the mark UTF-16LE is 8-bit text whose zero bytes end lines: "K" and "1" carry no
  // marker, so the only survivors are the lone "=" characters.
  EXPECT_EQ(LoadAndDump(u"", Encoding::EightBit), "");
  {
    TBlockParJD tree;
    LoadBytes(tree, Utf16LeBytes(u"K=1\r\nL=2", false));
    EXPECT_EQ(Dump(tree), "=[] =[]");
  }
  {
    TBlockParJD tree;  // UTF-8 with its mark: the mark is part of the first name
    LoadBytes(tree, "\xEF\xBB\xBFK=1\r\nL=2");
    EXPECT_EQ(tree.Par_Get(u"\uFEFFK"), u"1");
    EXPECT_EQ(tree.Par_Get(u"L"), u"2");
    EXPECT_THROW(tree.Par_Get(u"K"), TExceptionJD);
  }
  {
    TBlockParJD tree;  // UTF-16BE with its mark is 8-bit too, its zero bytes ending lines
    LoadBytes(tree, std::string("\xFE\xFF\x00K\x00=\x00"
                                "1",
                                8));
    EXPECT_EQ(Dump(tree), "=[]");
  }
}

TEST(BlockParEncoding, EightBitLinesAreUtf8OrWindows1251LineByLine) {
  TBlockParJD tree;
  // Ключ=Значение once in UTF-8 and once in Windows-1251.
  LoadBytes(tree, WideToAnsi(u"Ключ=Значение\r\n") +
                      "\xCA\xEB\xFE\xF7"
                      "2=\xC7\xED\xE0\xF7\xE5\xED\xE8\xE5");
  EXPECT_EQ(tree.Par_Get(u"Ключ"), u"Значение");
  EXPECT_EQ(tree.Par_Get(u"Ключ2"), u"Значение");
}

// ---------------------------------------------------------------------------------------------
// Look-up

TEST(BlockParLookup, FirstParameterOfExactlyThatName) {
  TBlockParJD tree;
  LoadBytes(tree, "Name{\r\nKey=in block\r\n}\r\nDup=first\r\nDup=second\r\nEmpty=\r\nCase=x\r\n");
  EXPECT_EQ(tree.Par_Get(u"Dup"), u"first");
  EXPECT_EQ(tree.Par_Get(u"Empty"), u"");
  for (std::u16string key : {u"Key", u"Name", u"case", u"CASE", u" Case", u"Case ", u"", u"Ключ"})
    EXPECT_EQ(ErrorText([&] { tree.Par_Get(key); }), "TBlockParJD.Block_Get. name=" + WideToAnsi(key));
  TBlockParElJD* block = tree.First();
  ASSERT_EQ(block->Kind, TBlockParElJD::KindBlock);
  EXPECT_EQ(block->SubBlock->Par_Get(u"Key"), u"in block");
}

TEST(BlockParLookup, BlockAndCommentElementsAreNoParameters) {
  TBlockParJD tree;
  tree.Block_Add(u"Key")->Par_Add(u"Key", u"inner");
  TBlockParElJD* comment = tree.El_New();
  comment->Name = u"Key";  // a comment element named like the key still does not count
  EXPECT_EQ(ErrorText([&] { tree.Par_Get(u"Key"); }), "TBlockParJD.Block_Get. name=Key");
  tree.Par_Add(u"Key", u"outer");
  EXPECT_EQ(tree.Par_Get(u"Key"), u"outer");
}

TEST(BlockParLookup, LoadingAppends) {
  TBlockParJD tree;
  tree.Par_Add(u"Before", u"0");
  LoadBytes(tree, "A=1");
  LoadBytes(tree, Utf16LeBytes(u"A=2"));
  EXPECT_EQ(Dump(tree), "Before=[0] A=[1] A=[2]");
  tree.Clear();
  EXPECT_EQ(tree.First(), nullptr);
  EXPECT_EQ(tree.Last(), nullptr);
}

TEST(BlockParElements, ClearAndMakeBlock) {
  TBlockParJD tree;
  TBlockParElJD* element = tree.Par_Add(u"N", u"v");
  element->Comment = u"// c";
  element->MakeBlock();
  EXPECT_EQ(element->Kind, TBlockParElJD::KindBlock);
  EXPECT_EQ(element->Name, u"N");
  EXPECT_EQ(element->Comment, u"// c");
  EXPECT_TRUE(element->Value.empty());
  ASSERT_TRUE(element->SubBlock);
  element->SubBlock->Par_Add(u"x", u"1");
  element->MakeBlock();  // a fresh, empty sub-block
  EXPECT_EQ(element->SubBlock->First(), nullptr);
  element->Clear();
  EXPECT_EQ(element->Kind, TBlockParElJD::KindComment);
  EXPECT_FALSE(element->SubBlock);
  EXPECT_TRUE(element->Name.empty() && element->Comment.empty());
}

TEST(BlockParElements, DeepNestingLoadsAndFreesWithoutExhaustingTheStack) {
  constexpr int depth = 200000;
  std::string text;
  for (int i = 0; i < depth; ++i) text += "b{\n";
  text += "K=deep";
  TBlockParJD tree;
  LoadBytes(tree, text);
  const TBlockParJD* block = &tree;
  int levels = 0;
  while (block->First() != nullptr && block->First()->Kind == TBlockParElJD::KindBlock) {
    block = block->First()->SubBlock.get();
    ++levels;
  }
  EXPECT_EQ(levels, depth);
  EXPECT_EQ(block->Par_Get(u"K"), u"deep");
}

// ---------------------------------------------------------------------------------------------
// Files and includes

TEST(BlockParFiles, IncludeFillsTheBlockAfterItsInlineLinesWithItsOwnEncoding) {
  ScratchFolder folder;
  std::string include = folder.Write("inc.txt", Utf16LeBytes(u"// dropped\r\nB=2\r\nSub{\r\nC=3\r\n}\r\n}\r\nLost=4"));
  std::string main = folder.Write("main.txt", "// top\r\nName = " + include + " { A=1\r\nA2=1\r\n}\r\nAfter=5\r\n");
  TBlockParJD tree;
  tree.LoadFromFile(main, true);
  EXPECT_EQ(Dump(tree), "#[// top] Name{A=[1] A2=[1] B=[2] Sub{C=[3]}} After=[5]");
}

TEST(BlockParFiles, RelativeIncludeNamesAreResolvedAgainstTheCurrentDirectory) {
  ScratchFolder folder;
  std::filesystem::create_directory(folder.File("sub"));
  folder.Write("inc.txt", "Here=cwd");
  folder.Write("sub/inc.txt", "Here=beside");
  std::string main = folder.Write("sub/main.txt", "N = inc.txt {\n}");
  CurrentDirectory inFolder(folder.Path());
  TBlockParJD tree;
  tree.LoadFromFile(main, false);
  EXPECT_EQ(Dump(tree), "N{Here=[cwd]}");
}

TEST(BlockParFiles, IncludeCyclesEndWithAMessageNamingTheFile) {
  ScratchFolder folder;
  std::string self = folder.File("self.txt");
  folder.Write("self.txt", "A=1\nN = " + self + " {\n}");
  TBlockParJD tree;
  EXPECT_EQ(ErrorText([&] { tree.LoadFromFile(self, false); }),
            "TBlockParJD.LoadFromFile. FileName=" + self + " includes nested deeper than 32 levels");
  EXPECT_EQ(tree.Par_Get(u"A"), u"1");

  std::string first = folder.File("first.txt");
  std::string second = folder.File("second.txt");
  folder.Write("first.txt", "N = " + second + " {\n}");
  folder.Write("second.txt", "M = " + first + " {\n}");
  TBlockParJD cycle;
  EXPECT_EQ(ErrorText([&] { cycle.LoadFromFile(first, false); }),
            "TBlockParJD.LoadFromFile. FileName=" + second + " includes nested deeper than 32 levels");

  // A legitimate chain of 32 includes below the top file loads whole, and the bound is left
  // behind for the next load.
  for (int i = 0; i <= 32; ++i) {
    std::string next = i < 32 ? "N = " + folder.File("chain" + std::to_string(i + 1)) + " {\n}" : "End=yes";
    folder.Write("chain" + std::to_string(i), next);
  }
  TBlockParJD chain;
  chain.LoadFromFile(folder.File("chain0"), false);
  const TBlockParJD* block = &chain;
  for (int i = 0; i < 32; ++i) block = block->First()->SubBlock.get();
  EXPECT_EQ(block->Par_Get(u"End"), u"yes");
}

TEST(BlockParFiles, MissingFileFailsWithItsName) {
  ScratchFolder folder;
  std::string missing = folder.File("msg_cfg.txt");
  TBlockParJD tree;
  EXPECT_EQ(ErrorText([&] { tree.LoadFromFile(missing, false); }), "TFileJD.Open. FileName=" + missing);
}

// ---------------------------------------------------------------------------------------------
// The shipped catalogue

}  // namespace
