#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "common/ScratchFolder.h"
#include "support/BlockFile.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PutFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

int ErrorCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EInOutError& error) {
    return error.ErrorCode;
  }
  return 0;
}

class BlockFileFolder : public ::testing::Test {
 protected:
  std::vector<std::string> FolderEntries() const { return scratch_.Entries(); }
  ScratchFolder scratch_;
  fs::path folder_{scratch_.Path()};
};

TEST(InOutError, MessagesByNumber) {
  const std::pair<int, const char*> cases[] = {
      {2, "File not found"},     {3, "Invalid filename"},          {4, "Too many open files"},
      {5, "File access denied"}, {100, "Read beyond end of file"}, {101, "Disk full"},
      {0, "I/O error 0"},        {103, "I/O error 103"},           {-1, "I/O error -1"},
  };
  for (const auto& [number, message] : cases) {
    EInOutError error(number);
    EXPECT_EQ(error.ErrorCode, number);
    EXPECT_STREQ(error.what(), message);
  }
}

TEST(InOutError, NumbersForSystemErrors) {
  const std::string inExistingFolder = fs::temp_directory_path().string() + "/x.xg";
  const std::string inMissingFolder = "/no/such/folder/x.xg";
  const struct {
    int errnoValue;
    std::string fileName;
    int number;
  } cases[] = {
      {ENOENT, inExistingFolder, 2},
      {ENOENT, inMissingFolder, 3},
      {ENOENT, "", 3},
      {ENOTDIR, inExistingFolder, 3},
      {ENAMETOOLONG, inExistingFolder, 3},
      {EMFILE, "", 4},
      {ENFILE, "", 4},
      {EACCES, "", 5},
      {EPERM, "", 5},
      {EROFS, "", 5},
      {ENOSPC, "", 101},
      {EDQUOT, "", 101},
      {EIO, "", EIO},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InOutErrorNumberForErrno(c.errnoValue, c.fileName), c.number) << c.errnoValue << " " << c.fileName;
  }
}

TEST(BlockFileReader, DecodesLittleEndianFields) {
  TBlockFileWriter writer;
  writer.WriteInt(0x423A35D2);
  writer.WriteInt(-2);
  writer.WriteByte(0xFE);
  writer.WriteReal(-1.5);
  writer.WriteUnits(u"Я\xD800");
  EXPECT_EQ(writer.Bytes(), (std::vector<uint8_t>{0xD2, 0x35, 0x3A, 0x42, 0xFE, 0xFF, 0xFF, 0xFF, 0xFE, 0,   0,
                                                  0,    0,    0,    0,    0xF8, 0xBF, 0x2F, 0x04, 0x00, 0xD8}));
  TBlockFileReader reader(writer.Bytes());
  EXPECT_EQ(reader.ReadInt(), 1111111122);
  EXPECT_EQ(reader.ReadInt(), -2);
  EXPECT_EQ(reader.ReadByte(), 0xFE);
  EXPECT_EQ(reader.ReadReal(), -1.5);
  EXPECT_EQ(reader.ReadUnits(2), u"Я\xD800");
  EXPECT_EQ(reader.BytesLeft(), 0);
}

TEST(BlockFileReader, ExtremeValuesRoundTrip) {
  TBlockFileWriter writer;
  const int32_t ints[] = {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), 0, -1};
  for (int32_t value : ints) writer.WriteInt(value);
  writer.WriteReal(std::numeric_limits<double>::quiet_NaN());
  writer.WriteReal(-0.0);
  TBlockFileReader reader(writer.Bytes());
  for (int32_t value : ints) EXPECT_EQ(reader.ReadInt(), value);
  EXPECT_TRUE(std::isnan(reader.ReadReal()));
  EXPECT_TRUE(std::signbit(reader.ReadReal()));
}

TEST(BlockFileReader, ReadsPastTheEndFailAndConsumeNothing) {
  const std::vector<uint8_t> threeBytes{1, 2, 3};
  const std::function<void(TBlockFileReader&)> reads[] = {
      [](TBlockFileReader& r) { r.ReadInt(); },
      [](TBlockFileReader& r) { r.ReadReal(); },
      [](TBlockFileReader& r) { r.ReadUnits(2); },
      [](TBlockFileReader& r) { r.ReadUnits(0x7FFFFFFF); },
      [](TBlockFileReader& r) {
        uint8_t buffer[4];
        r.ReadBytes(buffer, 4);
      },
      [](TBlockFileReader& r) { r.Require(4); },
      [](TBlockFileReader& r) { r.Require(-1); },
  };
  for (const auto& read : reads) {
    TBlockFileReader reader(threeBytes);
    EXPECT_EQ(ErrorCodeOf([&] { read(reader); }), 100);
    EXPECT_EQ(reader.Position(), 0);
    EXPECT_EQ(reader.ReadByte(), 1);
  }
  TBlockFileReader empty(std::vector<uint8_t>{});
  EXPECT_EQ(ErrorCodeOf([&] { empty.ReadByte(); }), 100);
  EXPECT_EQ(empty.ReadUnits(0), u"");
  EXPECT_EQ(empty.ReadUnits(-3), u"");
}

TEST_F(BlockFileFolder, OpeningFailsWithNumberedErrors) {
  fs::create_directories(folder_ / "sub");
  const struct {
    std::string fileName;
    int number;
  } cases[] = {
      {(folder_ / "missing.xg").string(), 2},
      {(folder_ / "nofolder" / "missing.xg").string(), 3},
      {"", 3},
      {(folder_ / "sub").string(), 5},
      {"/dev/zero", 5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorCodeOf([&] { TBlockFileReader reader(c.fileName); }), c.number) << c.fileName;
  }
}

TEST_F(BlockFileFolder, ReadsAWholeFile) {
  std::vector<uint8_t> bytes(200000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  PutFile(folder_ / "big.bin", bytes);
  TBlockFileReader reader((folder_ / "big.bin").string());
  EXPECT_EQ(reader.Size(), 200000);
  std::vector<uint8_t> read(bytes.size());
  reader.ReadBytes(read.data(), read.size());
  EXPECT_EQ(read, bytes);
}

TEST_F(BlockFileFolder, CommitCreatesAFileWithTheUmaskPermissions) {
  const mode_t mask = ::umask(022);
  TBlockFileWriter writer((folder_ / "new.xg").string());
  writer.WriteInt(7);
  writer.Commit();
  ::umask(mask);
  EXPECT_EQ(FileBytes(folder_ / "new.xg"), (std::vector<uint8_t>{7, 0, 0, 0}));
  EXPECT_EQ(fs::status(folder_ / "new.xg").permissions() & fs::perms::all, fs::perms(0644));
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"new.xg"});
}

TEST_F(BlockFileFolder, CommitReplacesAFileAndKeepsItsPermissions) {
  PutFile(folder_ / "q.xg", std::vector<uint8_t>(100, 9));
  fs::permissions(folder_ / "q.xg", fs::perms(0604));
  TBlockFileWriter writer((folder_ / "q.xg").string());
  writer.WriteByte(1);
  writer.Commit();
  EXPECT_EQ(FileBytes(folder_ / "q.xg"), std::vector<uint8_t>{1});
  EXPECT_EQ(fs::status(folder_ / "q.xg").permissions() & fs::perms::all, fs::perms(0604));
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"q.xg"});
}

TEST_F(BlockFileFolder, CommitThroughALinkReplacesTheLinkedFile) {
  fs::create_directories(folder_ / "real");
  PutFile(folder_ / "real" / "q.xg", {5, 5});
  fs::create_symlink("real/q.xg", folder_ / "link.xg");
  TBlockFileWriter writer((folder_ / "link.xg").string());
  writer.WriteByte(6);
  writer.Commit();
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.xg"));
  EXPECT_EQ(FileBytes(folder_ / "real" / "q.xg"), std::vector<uint8_t>{6});
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"link.xg", "real"}));
}

TEST_F(BlockFileFolder, AStaleTemporaryIsReplacedAndRemoved) {
  PutFile(folder_ / ".q.xg.saving~", std::vector<uint8_t>(1000, 0xAA));
  fs::permissions(folder_ / ".q.xg.saving~", fs::perms(0400));
  TBlockFileWriter writer((folder_ / "q.xg").string());
  writer.WriteByte(3);
  writer.Commit();
  EXPECT_EQ(FileBytes(folder_ / "q.xg"), std::vector<uint8_t>{3});
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"q.xg"});
}

TEST_F(BlockFileFolder, FailedCommitsLeaveTheOldFileAndNoTemporary) {
  PutFile(folder_ / "readonly.xg", {1, 2, 3});
  fs::permissions(folder_ / "readonly.xg", fs::perms(0444));
  fs::create_directories(folder_ / "adir");
  ASSERT_EQ(::mkfifo((folder_ / "fifo").c_str(), 0666), 0);
  const struct {
    fs::path target;
    int number;
  } cases[] = {
      {folder_ / "readonly.xg", 5},
      {folder_ / "adir", 5},
      {folder_ / "fifo", 5},
      {folder_ / "missing" / "q.xg", 3},
      {fs::path(folder_.string() + "/"), 3},
  };
  for (const auto& c : cases) {
    TBlockFileWriter writer(c.target.string());
    writer.WriteInt(99);
    EXPECT_EQ(ErrorCodeOf([&] { writer.Commit(); }), c.number) << c.target;
  }
  EXPECT_EQ(FileBytes(folder_ / "readonly.xg"), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"adir", "fifo", "readonly.xg"}));
  EXPECT_EQ(ErrorCodeOf([] { TBlockFileWriter().Commit(); }), 3);
}

TEST_F(BlockFileFolder, AWriteThatCannotCompleteLeavesTheOldFile) {
  PutFile(folder_ / "q.xg", {4, 3, 2, 1});
  // A file size limit makes the write of the temporary fail part way, as a full disk would.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  TBlockFileWriter writer((folder_ / "q.xg").string());
  const std::vector<uint8_t> big(100000, 0x55);
  writer.WriteBytes(big.data(), big.size());
  const int number = ErrorCodeOf([&] { writer.Commit(); });
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(number, EFBIG);
  EXPECT_EQ(FileBytes(folder_ / "q.xg"), (std::vector<uint8_t>{4, 3, 2, 1}));
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"q.xg"});
}

}  // namespace

namespace {

// Writes of every kind, many megabytes in all, cross the writer's pieces at every alignment: the
// joined bytes, the committed file and a plain reference agree.
TEST_F(BlockFileFolder, WriterAcrossPiecesKeepsEveryByteInOrder) {
  TBlockFileWriter writer((folder_ / "big.bin").string());
  std::vector<uint8_t> expected;
  std::u16string units;
  for (int32_t i = 0; expected.size() < (std::size_t{5} << 20) / 2; ++i) {
    writer.WriteByte(static_cast<uint8_t>(i));
    expected.push_back(static_cast<uint8_t>(i));
    writer.WriteInt(i * 7919);
    for (int b = 0; b < 4; ++b) expected.push_back(static_cast<uint8_t>(static_cast<uint32_t>(i * 7919) >> (8 * b)));
    units.assign(static_cast<std::size_t>(i % 300), static_cast<char16_t>(0x0400 + i % 64));
    writer.WriteUnits(units);
    for (char16_t unit : units) {
      expected.push_back(static_cast<uint8_t>(unit & 0xFF));
      expected.push_back(static_cast<uint8_t>(unit >> 8));
    }
  }
  writer.Commit();
  EXPECT_EQ(FileBytes(folder_ / "big.bin"), expected);
  EXPECT_EQ(writer.Bytes(), expected);
  // Writing on after the pieces were joined goes on at the end.
  writer.WriteByte(0xAB);
  expected.push_back(0xAB);
  EXPECT_EQ(writer.Bytes(), expected);
}

// A streamed writer sends its full pieces to the temporary file while it is written: the file gets
// every byte, a failure at a piece or a writer given up before Commit() leaves the old file and no
// temporary, and the bytes that went out can be neither read back nor saved a second time.
TEST_F(BlockFileFolder, StreamedWriterSavesPiecesAsItGoes) {
  const std::vector<uint8_t> old{9, 8, 7};
  std::vector<uint8_t> expected(3 * (std::size_t{1} << 20) + 5);
  for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<uint8_t>(i * 31 + i / 4096);
  const enum Ending { Saved, GivenUp, ReadOnly } endings[] = {Saved, GivenUp, ReadOnly};
  for (const Ending ending : endings) {
    PutFile(folder_ / "q.txg", old);
    if (ending == ReadOnly) fs::permissions(folder_ / "q.txg", fs::perms(0444));
    int number = 0;
    {
      TBlockFileWriter writer((folder_ / "q.txg").string(), TPieces::Streamed);
      number = ErrorCodeOf([&] {
        for (std::size_t at = 0; at < expected.size(); at += 1000)
          writer.WriteBytes(expected.data() + at, std::min<std::size_t>(1000, expected.size() - at));
      });
      if (ending == Saved) {
        writer.Commit();
        EXPECT_THROW(writer.Bytes(), std::logic_error);
        EXPECT_THROW(writer.Commit(), std::logic_error);
      }
    }
    EXPECT_EQ(number, ending == ReadOnly ? 5 : 0) << ending;
    EXPECT_EQ(FileBytes(folder_ / "q.txg"), ending == Saved ? expected : old) << ending;
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"q.txg"}) << ending;
    fs::permissions(folder_ / "q.txg", fs::perms(0644));
  }
}

// A text file read straight into code units: pairs across the read chunks, an odd last byte left
// out, and the open errors of the reader, with the file named.
TEST_F(BlockFileFolder, ReadUnitsFileReadsLittleEndianPairs) {
  for (const std::size_t size :
       {std::size_t{0}, std::size_t{1}, std::size_t{4}, std::size_t{65537}, std::size_t{2 * 65536 + 3}}) {
    SCOPED_TRACE(size);
    std::vector<uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 31 + i / 256);
    PutFile(folder_ / "units.txt", bytes);
    int64_t byteCount = -1;
    const std::u16string units = ReadUnitsFile((folder_ / "units.txt").string(), byteCount);
    EXPECT_EQ(byteCount, static_cast<int64_t>(size));
    ASSERT_EQ(units.size(), size / 2);
    for (std::size_t i = 0; i < units.size(); ++i)
      ASSERT_EQ(units[i], static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8)) << i;
  }
  const std::string missing = (folder_ / "missing.txt").string();
  int64_t byteCount = 0;
  try {
    ReadUnitsFile(missing, byteCount);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode, IoFileNotFound);
    EXPECT_EQ(error.FileName, missing);
  }
  EXPECT_EQ(ErrorCodeOf([&] { ReadUnitsFile(folder_.string(), byteCount); }), IoAccessDenied);
}

}  // namespace
