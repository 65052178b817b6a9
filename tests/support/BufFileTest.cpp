// Heap blocks, the file object and the memory buffer with its line readers.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "support/JD_Buf.h"
#include "support/JD_Error.h"
#include "support/JD_File.h"
#include "support/JD_Mem.h"
#include "support/SupportTestFiles.h"

namespace {

template <typename Call>
std::string ErrorText(Call call) {
  try {
    call();
  } catch (const TExceptionJD& error) {
    return error.what();
  }
  return "(no exception)";
}

void Fill(TBufJD& buffer, const std::string& bytes) {
  buffer.SetSize(static_cast<int32_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(buffer.Data(), bytes.data(), bytes.size());
  buffer.PointerSet(0);
}

// A sparse file of the given size: no disk space is used for its hole.
std::string SparseFile(const ScratchFolder& folder, const std::string& name, off_t size) {
  std::string path = folder.Write(name, "");
  EXPECT_EQ(truncate(path.c_str(), size), 0) << std::strerror(errno);
  return path;
}

// ---------------------------------------------------------------------------------------------
// Heap blocks

TEST(Memory, ResizeKeepsContentsAndNonPositiveSizesRelease) {
  auto* block = static_cast<char*>(ReAllocRJD(nullptr, 4));
  ASSERT_NE(block, nullptr);
  std::memcpy(block, "abcd", 4);
  block = static_cast<char*>(ReAllocRJD(block, 1000));
  EXPECT_EQ(std::string(block, 4), "abcd");
  block = static_cast<char*>(ReAllocRJD(block, 2));
  EXPECT_EQ(std::string(block, 2), "ab");
  EXPECT_EQ(ReAllocRJD(block, 0), nullptr);  // released; the sanitizer reports a leak otherwise
  EXPECT_EQ(ReAllocRJD(nullptr, -3), nullptr);
  FreeRJD(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Buffer: size, position, words

TEST(Buffer, SetSizeAndThePointer) {
  TBufJD buffer;
  for (int32_t size : {0, -5}) {
    buffer.SetSize(20);
    buffer.SetSize(size);
    EXPECT_EQ(buffer.Size(), 0);
    EXPECT_EQ(buffer.Capacity(), 0);
    EXPECT_EQ(buffer.Pointer(), 0);
    EXPECT_EQ(buffer.Data(), nullptr);
  }
  Fill(buffer, std::string(20, 'x'));
  EXPECT_EQ(buffer.Capacity(), 276);
  buffer.PointerSet(8);
  buffer.SetSize(10);
  EXPECT_EQ(buffer.Pointer(), 8);
  buffer.SetSize(5);
  EXPECT_EQ(buffer.Pointer(), 5);
  EXPECT_EQ(buffer.Capacity(), 261);
  buffer.SetSize(30);  // growing keeps what was there
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer.Data()), 5), "xxxxx");
}

TEST(Buffer, SizeWhoseSlackWouldOverflowIsRefusedAndTheBufferKept) {
  TBufJD buffer;
  Fill(buffer, "abc");
  EXPECT_EQ(ErrorText([&] { buffer.SetSize(INT32_MAX); }), "ReAllocRJD. size=2147483903");
  EXPECT_EQ(ErrorText([&] { buffer.SetSize(INT32_MAX - 255); }), "ReAllocRJD. size=2147483648");
  EXPECT_EQ(buffer.Size(), 3);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer.Data()), 3), "abc");
}

TEST(Buffer, PointerSetAcceptsZeroToSize) {
  TBufJD buffer;
  Fill(buffer, "abcd");
  buffer.PointerSet(4);
  EXPECT_TRUE(buffer.AtEnd());
  buffer.PointerSet(1);
  EXPECT_FALSE(buffer.AtEnd());
  EXPECT_EQ(ErrorText([&] { buffer.PointerSet(5); }), "TBufJD.PointerSet. zn=5");
  EXPECT_EQ(ErrorText([&] { buffer.PointerSet(-1); }), "TBufJD.PointerSet. zn=-1");
  EXPECT_EQ(buffer.Pointer(), 1);
  TBufJD empty;
  empty.PointerSet(0);
  EXPECT_TRUE(empty.AtEnd());
  EXPECT_EQ(ErrorText([&] { empty.PointerSet(1); }), "TBufJD.PointerSet. zn=1");
}

TEST(Buffer, TestGetAndWords) {
  TBufJD buffer;
  Fill(buffer, "\xFF\xFE\x01\x80\x34\x12z");
  EXPECT_EQ(ErrorText([&] { buffer.TestGet(0); }), "TBufJD.TestGet. len=0");
  EXPECT_EQ(ErrorText([&] { buffer.TestGet(-1); }), "TBufJD.TestGet. len=-1");
  EXPECT_EQ(ErrorText([&] { buffer.TestGet(8); }), "TBufJD.TestGet. len=8");
  EXPECT_EQ(ErrorText([&] { buffer.TestGet(INT32_MAX); }), "TBufJD.TestGet. len=2147483647");
  buffer.TestGet(7);
  EXPECT_EQ(buffer.GetWord(), static_cast<int16_t>(0xFEFF));
  EXPECT_EQ(buffer.GetWord(), static_cast<int16_t>(0x8001));
  EXPECT_EQ(buffer.GetWord(), 0x1234);
  EXPECT_EQ(buffer.Pointer(), 6);
  EXPECT_EQ(ErrorText([&] { buffer.GetWord(); }), "TBufJD.TestGet. len=2");
  EXPECT_EQ(buffer.Pointer(), 6);
}

// ---------------------------------------------------------------------------------------------
// Line readers: the same cases as 8-bit bytes and as UTF-16LE code units

struct LineCase {
  const char* name;
  std::u16string text;
  std::vector<std::u16string> lines;  // read until the data is used up
};

std::string EightBit(const std::u16string& text) {
  std::string bytes;
  for (char16_t unit : text) bytes += static_cast<char>(unit);
  return bytes;
}

const std::vector<LineCase>& LineCases() {
  static const std::vector<LineCase> cases = {
      {"crlf pair", u"ab\r\n\r\nc", {u"ab", u"", u"c"}},
      {"doubled lf", u"a\n\nb", {u"a", u"b"}},
      {"tripled lf", u"a\n\n\nb", {u"a", u"", u"b"}},
      {"lf cr", u"a\n\rb", {u"a", u"b"}},
      {"cr cr", u"a\r\rb", {u"a", u"b"}},
      {"cr at the end", u"a\r", {u"a"}},
      {"zero ends a line", std::u16string(u"a\0b", 3), {u"a", u"b"}},
      {"zero mixes with cr", std::u16string(u"a\r\0\nb", 5), {u"a", u"", u"b"}},
      {"only line ends", u"\r\r\r", {u"", u""}},
      {"no line end", u"abc", {u"abc"}},
  };
  return cases;
}

TEST(LineReader, EightBitLines) {
  for (const auto& c : LineCases()) {
    SCOPED_TRACE(c.name);
    TBufJD buffer;
    Fill(buffer, EightBit(c.text));
    std::vector<std::u16string> lines;
    while (!buffer.AtEnd() && lines.size() < 20) {
      std::string line = buffer.GetLineA();
      lines.push_back(std::u16string(line.begin(), line.end()));
    }
    EXPECT_EQ(lines, c.lines);
  }
}

TEST(LineReader, Utf16LeLines) {
  for (const auto& c : LineCases()) {
    SCOPED_TRACE(c.name);
    TBufJD buffer;
    Fill(buffer, Utf16LeBytes(c.text, false));
    std::vector<std::u16string> lines;
    while (!buffer.AtEnd() && lines.size() < 20) lines.push_back(buffer.GetLineW());
    EXPECT_EQ(lines, c.lines);
  }
}

TEST(LineReader, Utf16LeReadsLittleEndianUnitsAndNeverAnOddByte) {
  TBufJD buffer;
  // 0D 0A 00 0D: a unit 0x0A0D and a unit 0x0D00 are text, not line ends.
  Fill(buffer, std::string("\x0D\x0A\x00\x0D\x0D\x00", 6) + "x");
  EXPECT_EQ(buffer.LineLenW(), 2);
  EXPECT_EQ(buffer.GetLineW(), u"\u0A0D\u0D00");
  EXPECT_EQ(buffer.Pointer(), 6);
  // One byte left: no line, and nothing moves.
  EXPECT_EQ(buffer.LineLenW(), 0);
  EXPECT_EQ(buffer.GetLineW(), u"");
  EXPECT_EQ(buffer.Pointer(), 6);
}

TEST(LineReader, EmptyBufferOrItsEndGivesEmptyLinesAndChangesNothing) {
  TBufJD empty;
  EXPECT_EQ(empty.GetLineA(), "");
  EXPECT_EQ(empty.GetLineW(), u"");
  EXPECT_EQ(empty.Pointer(), 0);
  TBufJD buffer;
  Fill(buffer, "ab");
  buffer.PointerSet(2);
  EXPECT_EQ(buffer.GetLineA(), "");
  EXPECT_EQ(buffer.GetLineW(), u"");
  EXPECT_EQ(buffer.Pointer(), 2);
  EXPECT_EQ(buffer.LineLenA(), 0);
}

// ---------------------------------------------------------------------------------------------
// Files

TEST(File, NestedOpenAndCloseShareOneHandle) {
  ScratchFolder folder;
  TFileJD file;
  file.SetName(folder.Write("f.txt", "0123456789"));
  file.Open();
  file.Open();
  file.Close();
  EXPECT_TRUE(file.IsOpen());
  EXPECT_EQ(file.OpenCount(), 1);
  // GetSize opens and closes inside our Open: our handle and its position survive.
  EXPECT_EQ(file.SetPointer(4, 0), 4);
  EXPECT_EQ(file.GetSize(), 10);
  EXPECT_TRUE(file.IsOpen());
  EXPECT_EQ(file.GetPointer(), 4);
  file.Close();
  EXPECT_FALSE(file.IsOpen());
  file.Close();  // an extra Close changes nothing
  EXPECT_EQ(file.OpenCount(), 0);
  // GetSize on a closed file opens it only for the question.
  EXPECT_EQ(file.GetSize(), 10);
  EXPECT_FALSE(file.IsOpen());
}

TEST(File, SetNameClosesWhateverTheCount) {
  ScratchFolder folder;
  TFileJD file;
  file.SetName(folder.Write("a.txt", "a"));
  file.Open();
  file.Open();
  file.SetName(folder.Write("b.txt", "b"));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.OpenCount(), 0);
  file.Open();  // "a.txt" is no longer locked by us: another object can have it
  TFileJD other;
  other.SetName(folder.File("a.txt"));
  other.Open();
  other.Close();
}

TEST(File, OpenFailuresNameTheFileAndLeaveTheCount) {
  ScratchFolder folder;
  const std::vector<std::string> names = {folder.File("missing.txt"), folder.Path(), "", folder.File("dir/x")};
  for (const std::string& name : names) {
    TFileJD file;
    file.SetName(name);
    EXPECT_EQ(ErrorText([&] { file.Open(); }), "TFileJD.Open. FileName=" + name);
    EXPECT_EQ(file.OpenCount(), 0);
    EXPECT_FALSE(file.IsOpen());
  }
}

TEST(File, SecondOpenerIsRefusedWhileTheFirstHoldsTheFile) {
  ScratchFolder folder;
  std::string path = folder.Write("held.txt", "x");
  TFileJD first;
  TFileJD second;
  first.SetName(path);
  second.SetName(path);
  first.Open();
  EXPECT_EQ(ErrorText([&] { second.Open(); }), "TFileJD.Open. FileName=" + path);
  EXPECT_EQ(second.OpenCount(), 0);
  TBufJD buffer;
  EXPECT_EQ(ErrorText([&] { buffer.LoadFromFile(path); }), "TFileJD.Open. FileName=" + path);
  first.Close();
  second.Open();
  EXPECT_TRUE(second.IsOpen());
}

TEST(File, ALockHeldForAMomentIsWaitedFor) {
  ScratchFolder folder;
  std::string path = folder.Write("busy.txt", "x");
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TFileJD holder;
    holder.SetName(path);
    holder.Open();
    char signal = 1;
    if (write(ready[1], &signal, 1) != 1) _exit(1);
    usleep(100000);
    _exit(0);  // the lock goes with the process
  }
  char signal = 0;
  ASSERT_EQ(read(ready[0], &signal, 1), 1);
  TFileJD file;
  file.SetName(path);
  EXPECT_NO_THROW(file.Open());
  EXPECT_TRUE(file.IsOpen());
  waitpid(child, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
}

TEST(File, ReadOnlyFileOpens) {
  ScratchFolder folder;
  std::string path = folder.Write("ro.txt", "read me");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  TBufJD buffer;
  buffer.LoadFromFile(path);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer.Data()), 7), "read me");
}

TEST(File, SizesOf2GiBAndMoreAreRefused) {
  ScratchFolder folder;
  TFileJD largest;
  largest.SetName(SparseFile(folder, "largest", INT32_MAX));
  EXPECT_EQ(largest.GetSize(), INT32_MAX);
  for (off_t size : {off_t{1} << 31, (off_t{1} << 32) + 5}) {
    TFileJD file;
    file.SetName(SparseFile(folder, "big", size));
    EXPECT_EQ(ErrorText([&] { file.GetSize(); }), "TFileJD.GetSize. FileName=" + file.Name());
    EXPECT_FALSE(file.IsOpen());
    TBufJD buffer;
    EXPECT_EQ(ErrorText([&] { buffer.LoadFromFile(file); }), "TFileJD.GetSize. FileName=" + file.Name());
    EXPECT_FALSE(file.IsOpen());
  }
}

TEST(File, PointerMoves) {
  ScratchFolder folder;
  TFileJD file;
  file.SetName(folder.Write("p.txt", "0123456789"));
  EXPECT_EQ(ErrorText([&] { file.SetPointer(0, 0); }), "TFileJD.SetPointer. FileName=" + file.Name());
  file.Open();
  EXPECT_EQ(file.SetPointer(3, 0), 3);
  EXPECT_EQ(file.SetPointer(2, 1), 5);
  EXPECT_EQ(file.SetPointer(-1, 2), 9);
  EXPECT_EQ(file.GetPointer(), 9);
  EXPECT_EQ(ErrorText([&] { file.SetPointer(-20, 0); }), "TFileJD.SetPointer. FileName=" + file.Name());
  EXPECT_EQ(ErrorText([&] { file.SetPointer(0, 3); }), "TFileJD.SetPointer. FileName=" + file.Name());
  EXPECT_EQ(file.GetPointer(), 9);
}

TEST(File, ShortOrFailedReadsRaise) {
  ScratchFolder folder;
  TFileJD file;
  file.SetName(folder.Write("r.txt", "0123456789"));
  char bytes[32] = {};
  EXPECT_EQ(ErrorText([&] { file.Read(bytes, 4); }),
            "TFileJD.Read. FileName=" + file.Name() + " kolbyte=4 GetLastError=" + std::to_string(EBADF));
  file.Open();
  file.Read(bytes, 4);
  EXPECT_EQ(std::string(bytes, 4), "0123");
  file.Read(bytes, 0);
  EXPECT_EQ(ErrorText([&] { file.Read(bytes, 20); }),
            "TFileJD.Read. FileName=" + file.Name() + " kolbyte=20 GetLastError=0");
  file.Close();
}

TEST(File, LoadIntoBuffer) {
  ScratchFolder folder;
  TBufJD buffer;
  buffer.LoadFromFile(folder.Write("empty.txt", ""));
  EXPECT_EQ(buffer.Size(), 0);
  EXPECT_EQ(buffer.Data(), nullptr);

  buffer.LoadFromFile(folder.Write("ten.txt", "0123456789"));
  EXPECT_EQ(buffer.Size(), 10);
  EXPECT_EQ(buffer.Capacity(), 266);
  EXPECT_EQ(buffer.Pointer(), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer.Data()), 10), "0123456789");

  // From an open file: the bytes behind its position, and the caller's Open stays.
  TFileJD file;
  file.SetName(folder.File("ten.txt"));
  file.Open();
  file.SetPointer(4, 0);
  buffer.LoadFromFile(file);
  EXPECT_EQ(buffer.Size(), 6);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer.Data()), 6), "456789");
  EXPECT_EQ(file.OpenCount(), 1);
  file.Close();

  std::string missing = folder.File("none.txt");
  EXPECT_EQ(ErrorText([&] { buffer.LoadFromFile(missing); }), "TFileJD.Open. FileName=" + missing);
  EXPECT_EQ(buffer.Size(), 0);
}

TEST(File, FailedLoadClosesTheFile) {
  ScratchFolder folder;
  TFileJD file;
  // A size whose slack cannot be represented fails after the file was opened.
  file.SetName(SparseFile(folder, "almost2g", INT32_MAX - 10));
  TBufJD buffer;
  EXPECT_EQ(ErrorText([&] { buffer.LoadFromFile(file); }),
            "ReAllocRJD. size=" + std::to_string(int64_t{INT32_MAX} + 246));
  EXPECT_FALSE(file.IsOpen());
  file.Open();  // no lock left behind
  file.Close();
}

}  // namespace
