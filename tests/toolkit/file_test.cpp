// Files by number, whole files, folders and lock files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "toolkit/tk_base.h"
#include "toolkit/tk_file.h"
#include "file_size_limit.h"

namespace fs = std::filesystem;

namespace {

class FileTest : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tkfileXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    dir_ += '/';
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return dir_ + name; }
  void put(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  std::string get(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string dir_;
};

TEST_F(FileTest, EveryWidthRoundTripsLittleEndian) {
  int f = tk::createFile(-1, path("b.bin"));
  ASSERT_GE(f, 0);
  EXPECT_TRUE(tk::writeByte(f, 0xAB));
  EXPECT_TRUE(tk::writeWord(f, 0x1234));
  EXPECT_TRUE(tk::writeWord(f, -2));
  EXPECT_TRUE(tk::writeWord(f, INT16_MIN));
  EXPECT_TRUE(tk::writeLong(f, 0x12345678));
  EXPECT_TRUE(tk::writeLong(f, -1));
  EXPECT_TRUE(tk::writeLong(f, INT32_MIN));
  EXPECT_TRUE(tk::writeFloat(f, -1.5f));
  EXPECT_TRUE(tk::writeFloat(f, 3.25e10f));
  EXPECT_EQ(tk::fileSize(f), 1 + 3 * 2 + 3 * 4 + 2 * 4);
  tk::closeFile(f);
  EXPECT_FALSE(tk::isFile(f));

  std::string raw = get("b.bin");
  ASSERT_EQ(raw.size(), 27u);
  EXPECT_EQ(raw.substr(0, 3), std::string("\xAB\x34\x12", 3));
  EXPECT_EQ(raw.substr(7, 4), std::string("\x78\x56\x34\x12", 4));
  EXPECT_EQ(raw.substr(19, 4), std::string("\x00\x00\xC0\xBF", 4));   // -1.5f

  f = tk::readFile(-1, path("b.bin"));
  ASSERT_GE(f, 0);
  EXPECT_EQ(tk::readByte(f), 0xAB);
  EXPECT_EQ(tk::readWord(f), 0x1234);
  EXPECT_EQ(tk::readWord(f), -2);
  EXPECT_EQ(tk::readWord(f), INT16_MIN);
  EXPECT_EQ(tk::readLong(f), 0x12345678);
  EXPECT_EQ(tk::readLong(f), -1);
  EXPECT_EQ(tk::readLong(f), INT32_MIN);
  EXPECT_EQ(tk::readFloat(f), -1.5f);
  EXPECT_EQ(tk::readFloat(f), 3.25e10f);
  EXPECT_TRUE(tk::eof(f));
  // Past the end everything reads as nothing.
  EXPECT_EQ(tk::readByte(f), 0);
  EXPECT_EQ(tk::readWord(f), 0);
  EXPECT_EQ(tk::readLong(f), 0);
  EXPECT_EQ(tk::readFloat(f), 0.0f);
  EXPECT_EQ(tk::readLine(f), "");
  char buf[4];
  EXPECT_EQ(tk::readData(f, buf, 4), 0u);
  EXPECT_EQ(tk::filePos(f), 27);
  tk::closeFile(f);
}

// A value that does not fit in what is left reads as 0 and the position goes to the end.
TEST_F(FileTest, ShortValueAtEndGivesZero) {
  struct Case { int left; int width; };
  const Case cases[] = {{1, 2}, {1, 4}, {2, 4}, {3, 4}, {3, -4}};   // -4: float
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.left << " left, width " << c.width);
    put("s.bin", std::string("\x01\x02\x03\x04\x05", 2 + c.left));
    int f = tk::readFile(-1, path("s.bin"));
    ASSERT_GE(f, 0);
    EXPECT_EQ(tk::readWord(f), 0x0201);
    float value = c.width == 2 ? tk::readWord(f) : c.width == 4 ? tk::readLong(f) : tk::readFloat(f);
    EXPECT_EQ(value, 0.0f);
    EXPECT_EQ(tk::filePos(f), 2 + c.left);
    EXPECT_TRUE(tk::eof(f));
    tk::closeFile(f);
  }
}

TEST_F(FileTest, LineEnds) {
  const std::string longLine(65535, 'x');   // its CR ends the first 64 KiB block
  struct Case { const char* name; std::string bytes; std::vector<std::string> lines; };
  const Case cases[] = {
      {"CR LF", "ab\r\ncd\r\n", {"ab", "cd"}},
      {"CR", "ab\rcd\r", {"ab", "cd"}},
      {"LF", "ab\ncd\n", {"ab", "cd"}},
      {"no end on the last line", "ab\r\ncd", {"ab", "cd"}},
      {"empty lines", "\r\n\r\rab\n\n", {"", "", "", "ab", ""}},
      {"LF CR is two ends", "ab\n\rcd", {"ab", "", "cd"}},
      {"CR LF across the block boundary", longLine + "\r\nend", {longLine, "end"}},
      {"lone CR at the block boundary", longLine + "\rend", {longLine, "end"}},
      {"CR LF after the block boundary", longLine + "x\r\nend", {longLine + "x", "end"}},
      {"CP1252 bytes", "Gr\xF6\xDF" "e \x80\r\n", {"Gr\xF6\xDF" "e \x80"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    put("l.txt", c.bytes);
    int f = tk::readFile(-1, path("l.txt"));
    ASSERT_GE(f, 0);
    std::vector<std::string> got;
    while (!tk::eof(f)) got.push_back(tk::readLine(f));
    EXPECT_EQ(got, c.lines);
    EXPECT_EQ(tk::readLine(f), "");
    tk::closeFile(f);
  }
}

TEST_F(FileTest, WriteLineAndTextAddCrLfOnlyToLines) {
  int f = tk::createFile(5, path("t.txt"));
  ASSERT_EQ(f, 5);
  EXPECT_TRUE(tk::writeLine(f, "eins"));
  EXPECT_TRUE(tk::writeText(f, "zw"));
  EXPECT_TRUE(tk::writeLine(f, "ei"));
  EXPECT_TRUE(tk::writeLine(f, ""));
  tk::closeFile(f);
  EXPECT_EQ(get("t.txt"), "eins\r\nzwei\r\n\r\n");
}

// Misaligned values across many buffer fills, mixed with seeks, reads and overwrites.
TEST_F(FileTest, StreamingAcrossBufferBlocks) {
  const int n = 200000;
  int f = tk::createFile(-1, path("big.bin"));
  ASSERT_GE(f, 0);
  tk::writeByte(f, 7);
  for (int i = 0; i < n; ++i) ASSERT_TRUE(tk::writeLong(f, i * 7919 - n));
  EXPECT_EQ(tk::fileSize(f), 1 + 4LL * n);
  // Overwrite one value far back, then go on reading after it.
  tk::fileSeek(f, 1 + 4LL * 1000);
  EXPECT_TRUE(tk::writeLong(f, -42));
  EXPECT_EQ(tk::readLong(f), 1001 * 7919 - n);
  tk::fileSeek(f, 0);
  EXPECT_EQ(tk::readByte(f), 7);
  for (int i = 0; i < n; ++i) {
    int32_t want = i == 1000 ? -42 : i * 7919 - n;
    ASSERT_EQ(tk::readLong(f), want) << i;
  }
  EXPECT_TRUE(tk::eof(f));
  tk::closeFile(f);
  EXPECT_EQ(int64_t(fs::file_size(path("big.bin"))), 1 + 4LL * n);

  // Block reads: a small one, then one larger than the buffer, then past the end.
  f = tk::readFile(-1, path("big.bin"));
  std::vector<int32_t> cells(n);
  EXPECT_EQ(tk::readByte(f), 7);
  EXPECT_EQ(tk::readData(f, cells.data(), 12), 12u);
  EXPECT_EQ(tk::readData(f, cells.data() + 3, 4 * (n - 3)), size_t(4 * (n - 3)));
  EXPECT_EQ(cells[2], 2 * 7919 - n);
  EXPECT_EQ(cells[n - 1], (n - 1) * 7919 - n);
  EXPECT_EQ(tk::readData(f, cells.data(), 8), 0u);
  tk::closeFile(f);
}

TEST_F(FileTest, SeekPastEndThenWriteExtends) {
  int f = tk::openFile(-1, path("new.bin"));   // created when missing
  ASSERT_GE(f, 0);
  EXPECT_EQ(tk::fileSize(f), 0);
  tk::fileSeek(f, 10);
  EXPECT_EQ(tk::readByte(f), 0);
  tk::fileSeek(f, 10);
  EXPECT_TRUE(tk::writeWord(f, 0x0102));
  EXPECT_EQ(tk::fileSize(f), 12);
  tk::fileSeek(f, -5);
  EXPECT_EQ(tk::filePos(f), 0);
  tk::closeFile(f);
  EXPECT_EQ(get("new.bin"), std::string(10, '\0') + "\x02\x01");
}

TEST_F(FileTest, NumbersAndFailedOpens) {
  put("r.bin", "abc");
  int a = tk::readFile(-1, path("r.bin"));
  int b = tk::readFile(-1, path("r.bin"));
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  EXPECT_NE(a, b);
  // A read-only file refuses writes and stays unchanged.
  EXPECT_FALSE(tk::writeByte(a, 'x'));
  EXPECT_FALSE(tk::writeLine(a, "x"));
  tk::closeFile(a);
  tk::closeFile(b);
  EXPECT_EQ(get("r.bin"), "abc");

  // Opening a number that is in use closes the old file first.
  EXPECT_EQ(tk::createFile(3, path("one.bin")), 3);
  tk::writeLong(3, 1);
  EXPECT_EQ(tk::readFile(3, path("r.bin")), 3);
  EXPECT_EQ(tk::readByte(3), 'a');
  tk::closeFile(3);
  EXPECT_EQ(get("one.bin").size(), 4u);

  EXPECT_EQ(tk::readFile(-1, path("missing.bin")), -1);
  EXPECT_EQ(tk::openFile(-1, dir_), -1);                     // a folder
  EXPECT_EQ(tk::createFile(-1, path("no/such/dir.bin")), -1);
  // Calls on a number that is not open do nothing.
  EXPECT_EQ(tk::readLong(77), 0);
  EXPECT_EQ(tk::readLine(77), "");
  EXPECT_FALSE(tk::writeLong(77, 1));
  EXPECT_TRUE(tk::eof(77));
  tk::closeFile(77);
}

TEST_F(FileTest, DiskFullIsReportedAndKept) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  int f = tk::openFile(-1, "/dev/full");
  ASSERT_GE(f, 0);
  bool allOk = true;
  for (int i = 0; i < 100000 && allOk; ++i) allOk = tk::writeLong(f, i);
  EXPECT_FALSE(allOk);
  EXPECT_TRUE(tk::fileError(f));
  EXPECT_FALSE(tk::writeByte(f, 1));   // stays failed
  tk::closeFile(f);
  EXPECT_TRUE(tk::fileError(f));

  // A failure that shows only when closing is still seen afterwards.
  int g = tk::openFile(-1, "/dev/full");
  ASSERT_GE(g, 0);
  EXPECT_TRUE(tk::writeLine(g, "short"));
  EXPECT_FALSE(tk::fileError(g));
  tk::closeFile(g);
  EXPECT_TRUE(tk::fileError(g));
  // Reusing the number clears it.
  EXPECT_EQ(tk::createFile(g, path("ok.bin")), g);
  EXPECT_FALSE(tk::fileError(g));
  tk::closeFile(g);
  EXPECT_FALSE(tk::fileError(g));
}

// Program paths: backslashes, relative to the program folder.
TEST_F(FileTest, RelativePathsStartInTheProgramFolder) {
  const std::string old = tk::programFolder();
  tk::setProgramFolder(dir_);
  EXPECT_TRUE(tk::createFolder("Undo\\Undo1\\"));
  int f = tk::createFile(-1, "Undo\\Undo1\\x.bin");
  ASSERT_GE(f, 0);
  tk::writeByte(f, 1);
  tk::closeFile(f);
  EXPECT_TRUE(tk::fileExists("Undo/Undo1/x.bin"));
  tk::setProgramFolder(old);
  EXPECT_TRUE(fs::exists(path("Undo/Undo1/x.bin")));
}

using FileFolderTest = FileTest;

TEST_F(FileFolderTest, MakeListAndDeleteTrees) {
  EXPECT_TRUE(tk::createFolder(path("a/b/c")));
  EXPECT_TRUE(tk::createFolder(path("a/b/c")));   // already there
  EXPECT_TRUE(tk::folderExists(path("a/b/c/")));
  EXPECT_FALSE(tk::fileExists(path("a/b")));
  EXPECT_EQ(tk::fileSizeOf(path("a")), -2);
  EXPECT_EQ(tk::fileSizeOf(path("nothing")), -1);

  put("a/Bild.PNG", "12345");
  put("a/alt.png", "1");
  put("a/c.jpg", "12");
  put("a/png", "");
  EXPECT_TRUE(tk::createFolder(path("a/Dir.png")));
  EXPECT_EQ(tk::fileSizeOf(path("a/Bild.PNG")), 5);

  auto names = [](const std::vector<tk::FolderEntry>& v) {
    std::vector<std::string> n;
    for (const auto& e : v) n.push_back(e.name + (e.isFolder ? "/" : ""));
    return n;
  };
  auto all = tk::listFolder(path("a"));
  EXPECT_EQ(names(all), (std::vector<std::string>{"alt.png", "b/", "Bild.PNG", "c.jpg", "Dir.png/", "png"}));
  EXPECT_EQ(all[2].size, 5);
  EXPECT_EQ(names(tk::listFolder(path("a/"), "*.png")),
            (std::vector<std::string>{"alt.png", "Bild.PNG", "Dir.png/"}));
  EXPECT_EQ(names(tk::listFolder(path("a"), "*.JPG")), (std::vector<std::string>{"c.jpg"}));
  EXPECT_EQ(tk::listFolder(path("a"), "*.*").size(), 6u);
  EXPECT_TRUE(tk::listFolder(path("missing")).empty());

  EXPECT_FALSE(tk::deleteFile(path("a/b")));                 // a folder, not a file
  EXPECT_FALSE(tk::deleteFolder(path("a"), false));          // not empty
  EXPECT_FALSE(tk::deleteFolder(path("a/Bild.PNG")));        // a file
  EXPECT_TRUE(tk::deleteFile(path("a/c.jpg")));
  EXPECT_FALSE(tk::deleteFile(path("a/c.jpg")));
  EXPECT_TRUE(tk::deleteFolder(path("a/b/c"), false));
  EXPECT_TRUE(tk::deleteFolder(path("a")));
  EXPECT_FALSE(fs::exists(path("a")));
  EXPECT_FALSE(tk::deleteFolder(path("a")));
}

TEST_F(FileFolderTest, CopyAndRename) {
  put("src.bin", std::string("data\0more", 9));
  put("old.bin", "old contents");
  EXPECT_TRUE(tk::copyFile(path("src.bin"), path("copy.bin")));
  EXPECT_EQ(get("copy.bin"), get("src.bin"));
  EXPECT_TRUE(tk::copyFile(path("src.bin"), path("old.bin")));   // replaces
  EXPECT_EQ(get("old.bin"), get("src.bin"));
  EXPECT_TRUE(tk::copyFile(path("src.bin"), path("src.bin")));   // onto itself: kept
  EXPECT_EQ(get("src.bin").size(), 9u);
  EXPECT_FALSE(tk::copyFile(path("missing"), path("copy.bin")));
  EXPECT_EQ(get("copy.bin").size(), 9u);
  EXPECT_FALSE(tk::copyFile(path("src.bin"), path("no/dir/x.bin")));
  EXPECT_FALSE(tk::copyFile(dir_, path("x.bin")));

  EXPECT_TRUE(tk::renameFile(path("copy.bin"), path("moved.bin")));
  EXPECT_FALSE(fs::exists(path("copy.bin")));
  EXPECT_EQ(get("moved.bin").size(), 9u);
  // An existing target is not overwritten.
  put("other.bin", "keep");
  EXPECT_FALSE(tk::renameFile(path("moved.bin"), path("other.bin")));
  EXPECT_EQ(get("other.bin"), "keep");
  EXPECT_TRUE(fs::exists(path("moved.bin")));
  EXPECT_FALSE(tk::renameFile(path("missing"), path("x.bin")));
  // Folders move too.
  ASSERT_TRUE(tk::createFolder(path("d1/sub")));
  EXPECT_TRUE(tk::renameFile(path("d1"), path("d2")));
  EXPECT_TRUE(tk::folderExists(path("d2/sub")));
  // Only the temporary-free result remains.
  EXPECT_EQ(tk::listFolder(dir_).size(), 5u);
}

TEST_F(FileFolderTest, WholeFiles) {
  const std::string data("\x00\x80\xFF" "abc", 6);
  EXPECT_TRUE(tk::writeWholeFile(path("w.bin"), data.data(), data.size()));
  std::vector<uint8_t> back;
  EXPECT_TRUE(tk::readWholeFile(path("w.bin"), back));
  EXPECT_EQ(std::string(back.begin(), back.end()), data);
  EXPECT_TRUE(tk::writeWholeFile(path("w.bin"), "", 0));
  EXPECT_TRUE(tk::readWholeFile(path("w.bin"), back));
  EXPECT_TRUE(back.empty());
  EXPECT_FALSE(tk::readWholeFile(path("missing"), back));
  EXPECT_FALSE(tk::readWholeFile(dir_, back));
  EXPECT_FALSE(tk::writeWholeFile(path("no/dir/w.bin"), "x", 1));
  ASSERT_TRUE(tk::createFolder(path("sub")));
  EXPECT_FALSE(tk::writeWholeFile(path("sub"), "x", 1));
  EXPECT_TRUE(tk::folderExists(path("sub")));
}

// Block writers: the blocks one after the other, a replacement keeps the old file when the
// write fails, an overwrite in place shrinks a longer old file and leaves no half-written
// file behind (here the write fails at a file size limit).
TEST_F(FileFolderTest, BlockWriters) {
  const std::string a("head"), b(3000, 'x');
  const tk::DataBlock blocks[3] = {{a.data(), a.size()}, {nullptr, 0}, {b.data(), b.size()}};
  put("r.bin", std::string(5000, 'o'));
  put("o.bin", std::string(5000, 'o'));
  EXPECT_TRUE(tk::writeWholeFileBlocks(path("r.bin"), blocks, 3));
  EXPECT_TRUE(tk::overwriteWholeFileBlocks(path("o.bin"), blocks, 3));
  EXPECT_TRUE(tk::overwriteWholeFileBlocks(path("new.bin"), blocks, 3));
  for (const char* f : {"r.bin", "o.bin", "new.bin"}) EXPECT_EQ(get(f), a + b) << f;

  bool replaced = true, overwritten = true;
  {
    FileSizeLimit full(1024);
    ASSERT_TRUE(full.ok);
    replaced = tk::writeWholeFileBlocks(path("r.bin"), blocks, 3);
    overwritten = tk::overwriteWholeFileBlocks(path("o.bin"), blocks, 3);
  }
  EXPECT_FALSE(replaced);
  EXPECT_EQ(get("r.bin"), a + b);
  EXPECT_FALSE(overwritten);
  EXPECT_FALSE(fs::exists(path("o.bin")));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
  EXPECT_FALSE(tk::overwriteWholeFileBlocks(path("no/dir/o.bin"), blocks, 3));
}

using FileLockTest = FileTest;

TEST_F(FileLockTest, SecondLockWaitsForTheFirst) {
  const std::string lock = path("startet.lock");
  int h = tk::lockFile(lock);
  ASSERT_GT(h, 0);
  EXPECT_EQ(tk::tryLockFile(lock), -1);

  std::atomic<int> other{0};
  std::thread t([&] { other = tk::lockFile(lock); });
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(other.load(), 0);   // still waiting
  tk::unlockFile(h);
  t.join();
  EXPECT_GT(other.load(), 0);
  EXPECT_NE(other.load(), h);
  EXPECT_EQ(tk::tryLockFile(lock), -1);
  tk::unlockFile(other);

  int again = tk::tryLockFile(lock);
  EXPECT_GT(again, 0);
  tk::unlockFile(again);
  tk::unlockFile(again);   // twice is harmless
  EXPECT_EQ(tk::lockFile(path("no/dir/x.lock")), -1);
}

}  // namespace
