#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "GUI/foundation/CArrayInt.h"
#include "GUI/foundation/CFerroStreamMemory.h"
#include "GUI/resources/CFerroStreamVirtualFile.h"
#include "GUI/resources/GVirtualDrive.h"
#include "tests/support/Files.h"
#include "tests/support/Scoped.h"

namespace {

constexpr int32_t kTableSignature = static_cast<int32_t>(0x6F9AE7D9);
const std::string kDataSignature = "\x4C\xAB\x84\xF9";

bool PutFile(GVirtualDrive& drive, const char* path, const std::string& bytes, int mode = 1) {
  auto stream = drive.OpenStream(path, mode);
  auto n = static_cast<unsigned int>(bytes.size());
  return stream && stream->Write(bytes.data(), n) == n;
}

std::string GetFile(GVirtualDrive& drive, const char* path) {
  auto stream = drive.OpenStream(path, 0);
  if (!stream) return "<none>";
  std::string bytes(stream->GetLength(), 0);
  bytes.resize(stream->Read(bytes.data(), static_cast<unsigned int>(bytes.size())));
  return bytes;
}

// A table starts with its signature, the cluster size and the data file's name.
ByteBuilder TableHeader() {
  return ByteBuilder().Int(kTableSignature).Int(4096).Name("image.vdd");
}

// The table's bytes once the empty free-cluster list follows the entries.
std::string EmptyFreeList(ByteBuilder b) {
  for (int i = 0; i < 6; ++i) b.Int(0);
  return b.bytes;
}

class GVirtualDriveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table = drive.Create(folder.Path().c_str(), "image");
    ASSERT_FALSE(table.IsEmpty());
    ASSERT_TRUE(drive.Open(table.c_str()));
  }
  std::string Table() { return ReadText(folder / "image.vdt"); }
  std::string Data() { return ReadText(folder / "image.vdd"); }
  bool Reopen() { return drive.Close() && drive.Open(table.c_str()); }

  TempDir folder;
  GVirtualDrive drive;
  CFerroString table;
};

TEST_F(GVirtualDriveTest, CreateNeverOverwritesADrive) {
  ASSERT_TRUE(PutFile(drive, ":a", "kept") && drive.Close());
  EXPECT_TRUE(drive.Create(folder.Path().c_str(), "image").IsEmpty());
  ASSERT_TRUE(drive.Open(table.c_str()));
  EXPECT_EQ(GetFile(drive, ":a"), "kept");
}

TEST_F(GVirtualDriveTest, FileOfFiveThousandBytesTakesTwoClustersAndPadsBeforeTheNext) {
  const std::string content = Pattern(5000, 1);
  ASSERT_TRUE(PutFile(drive, ":a.bin", content));
  EXPECT_EQ(drive.GetDataLength(), 4u + 4096 + 904);
  ASSERT_TRUE(drive.Flush());
  EXPECT_TRUE(SameBytes(Data(), kDataSignature + content));

  // The next file starts on a cluster of its own.
  ASSERT_TRUE(drive.CreateFile(":b.bin"));
  EXPECT_EQ(drive.GetDataLength(), 4u + 2 * 4096);

  // Consecutive reads continue where the last one stopped, across the cluster boundary.
  auto stream = drive.OpenStream(":a.bin", 0);
  std::string head(4100, 0);
  ASSERT_TRUE(stream && stream->Read(head.data(), 4090) == 4090 && stream->Read(&head[4090], 10));
  EXPECT_EQ(head, content.substr(0, 4100));
}

TEST_F(GVirtualDriveTest, TableAfterFoldersAndFilesInSeveralBuckets) {
  ASSERT_TRUE(drive.CreateDirectory(":b"));
  ASSERT_TRUE(drive.CreateFile(":a.txt"));
  ASSERT_TRUE(drive.CreateDirectory(":b/inner/"));  // a trailing separator names the folder
  ASSERT_TRUE(PutFile(drive, ":b/inner/c", "xyz"));
  ASSERT_TRUE(drive.CreateFile(":ab"));
  ASSERT_TRUE(drive.CreateFile(":A"));
  ASSERT_TRUE(drive.Flush());
  EXPECT_FALSE(drive.IsDirty());

  ByteBuilder expected = TableHeader().Int(0).Int(0).Int('b' + 1);
  expected.Int('A').Int(1).Int(1).Name("A").Int(0).Int(0).Int(0).Int(0);
  expected.Int('a').Int(2);
  expected.Int(1).Name("a.txt").Int(0).Int(0).Int(0).Int(0);
  expected.Int(1).Name("ab").Int(0).Int(0).Int(0).Int(0);
  expected.Int('b').Int(1).Int(0).Name("b").Int(0).Int('i' + 1);
  expected.Int('i').Int(1).Int(0).Name("inner").Int(0).Int('c' + 1);
  expected.Int('c').Int(1).Int(1).Name("c").Int(0).Int(0).Int(3).Int(1).Int(0);
  expected.Int(-1).Int(-1).Int(-1);
  EXPECT_TRUE(SameBytes(Table(), EmptyFreeList(expected)));
}

TEST_F(GVirtualDriveTest, LookupCreationAndRemovalFollowTheTree) {
  using Step = bool (GVirtualDrive::*)(const char*);
  const Step makeFolder = &GVirtualDrive::CreateDirectory, makeFile = &GVirtualDrive::CreateFile;
  const Step dropFolder = &GVirtualDrive::RemoveDirectory, dropFile = &GVirtualDrive::RemoveFile;
  const std::tuple<Step, const char*, bool> steps[] = {
      {makeFolder, ":d", true},     {makeFile, ":d/f", true},        {makeFile, ":d/f", false},
      {makeFolder, ":d", false},    {makeFile, ":missing/f", false}, {makeFile, ":d/f/g", false},
      {makeFolder, ":d/..", false}, {dropFolder, ":d", false},       {dropFile, ":d", false},
      {dropFolder, ":", false},     {dropFile, ":d/f", true},        {dropFolder, ":d", true},
  };
  for (auto [step, path, ok] : steps) EXPECT_EQ((drive.*step)(path), ok) << path;
  ASSERT_TRUE(drive.CreateDirectory(":folder"));
  EXPECT_EQ(drive.OpenStream(":folder", 1), nullptr);

  ASSERT_TRUE(drive.CreateDirectory(":a"));
  ASSERT_TRUE(drive.CreateDirectory(":a/sub"));
  ASSERT_TRUE(drive.CreateFile(":a/b.png"));
  VIRTUAL_ITEM* a = drive.GetItem(":a");
  VIRTUAL_ITEM* file = drive.GetItem(":a/b.png");
  ASSERT_TRUE(a && a->IsFolder() && file && file->IsFile());

  const std::pair<const char*, VIRTUAL_ITEM*> cases[] = {
      {":", &drive.GetRoot()}, {":a/../a", a},   {":a//sub/..\\", a}, {":./a/./b.png", file},
      {":a/b.png/", nullptr},  {":..", nullptr}, {":A", nullptr},     {"a/b.png", file},
  };
  // Paths relative to a current folder are walked through the platform's drive tests.
  for (auto [path, expected] : cases) EXPECT_EQ(drive.GetItem(path), expected) << path;
}

TEST_F(GVirtualDriveTest, ReleasedClustersAreReusedWithoutOverlap) {
  ASSERT_TRUE(PutFile(drive, ":a", Pattern(8192, 1)));  // clusters 0, 1
  ASSERT_TRUE(PutFile(drive, ":b", Pattern(100, 2)));   // cluster 2
  ASSERT_TRUE(drive.RemoveFile(":a"));
  ASSERT_TRUE(PutFile(drive, ":c", Pattern(5000, 3)));
  EXPECT_EQ(drive.GetFreeClusters().GetCount(), 0);
  const auto length = drive.GetDataLength();
  ASSERT_TRUE(PutFile(drive, ":b", Pattern(10, 4)));  // rewritten in place, not appended
  EXPECT_LE(drive.GetDataLength(), length);

  // Growing an older file never overlaps the tail of the last one (data ends inside e's cluster).
  ASSERT_TRUE(PutFile(drive, ":d", Pattern(4096, 5)));
  ASSERT_TRUE(PutFile(drive, ":e", Pattern(10, 6)));
  ASSERT_TRUE(PutFile(drive, ":d", Pattern(3000, 7), 2));
  ASSERT_TRUE(Reopen());
  EXPECT_EQ(GetFile(drive, ":c"), Pattern(5000, 3));
  EXPECT_EQ(GetFile(drive, ":b"), Pattern(10, 4));
  EXPECT_EQ(GetFile(drive, ":d"), Pattern(4096, 5) + Pattern(3000, 7));
  EXPECT_EQ(GetFile(drive, ":e"), Pattern(10, 6));
}

TEST_F(GVirtualDriveTest, StreamsAreDetachedWhenTheirFileOrDriveGoes) {
  ASSERT_TRUE(PutFile(drive, ":f", "hello"));
  auto reader = drive.OpenStream(":f", 0);
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->Write("x", 1), 0u);     // a reading stream does not write
  auto writer = drive.OpenStream(":f", 1);  // recreates the file
  EXPECT_FALSE(reader->IsOpen());
  char byte;
  EXPECT_EQ(reader->Read(&byte, 1), 0u);
  ASSERT_TRUE(writer);
  drive.Close();
  EXPECT_FALSE(writer->IsOpen());
  EXPECT_EQ(writer->Write("x", 1), 0u);
}

TEST_F(GVirtualDriveTest, FailedFlushKeepsTheOldTableAndTheDirtyMark) {
  ASSERT_TRUE(drive.Flush());
  const std::string before = Table();
  ASSERT_TRUE(drive.CreateFile(":new"));
  ASSERT_EQ(mkdir((folder / "image.vdt.tmp").c_str(), 0700), 0);  // the temporary cannot be made
  EXPECT_FALSE(drive.Flush());
  EXPECT_TRUE(drive.IsDirty());
  EXPECT_EQ(Table(), before);
  ASSERT_EQ(rmdir((folder / "image.vdt.tmp").c_str()), 0);
  EXPECT_TRUE(drive.Flush());
  EXPECT_FALSE(drive.IsDirty());
  EXPECT_NE(Table().find(ByteBuilder().Name("new").bytes), std::string::npos);
}

TEST_F(GVirtualDriveTest, WriteReportsTheBytesThatReachedTheDisk) {
  ASSERT_TRUE(PutFile(drive, ":first", Pattern(100, 1)));
  ASSERT_TRUE(drive.CreateFile(":second"));
  // Let the data file grow by 1000 more bytes only.
  std::optional<ScopedFileSizeLimit> small(std::in_place, drive.GetDataLength() + 1000);
  auto stream = drive.OpenStream(":second", 2);
  ASSERT_TRUE(stream);
  const std::string content = Pattern(5000, 2);
  EXPECT_EQ(stream->Write(content.data(), 5000), 1000u);
  small.reset();
  EXPECT_EQ(stream->GetLength(), 1000u);
  stream.reset();
  ASSERT_TRUE(Reopen());
  EXPECT_EQ(GetFile(drive, ":second"), content.substr(0, 1000));
  EXPECT_EQ(GetFile(drive, ":first"), Pattern(100, 1));
}

// What a build reads back, and its size, are checked through the platform's
// drives; here an empty file, an existing drive and a failed build.
TEST(GVirtualDriveBuildTest, BuildsFromAHostFolderAndFailsCleanly) {
  TempDir folder;
  const std::string source = folder / "vdd";
  ASSERT_TRUE(WriteText(source + "/cells/empty.png", ""));
  ASSERT_TRUE(GVirtualDrive::BuildFromFolder(folder.Path().c_str(), "image", source.c_str(), 7));
  EXPECT_FALSE(GVirtualDrive::BuildFromFolder(folder.Path().c_str(), "image", source.c_str(), 7));
  GVirtualDrive drive;
  ASSERT_TRUE(drive.Open((folder / "image.vdt").c_str()));
  EXPECT_EQ(GetFile(drive, ":cells/empty.png"), "");

  // A build that cannot read its source leaves no drive files behind.
  EXPECT_FALSE(
      GVirtualDrive::BuildFromFolder(folder.Path().c_str(), "sound", (folder / "none").c_str(), 7));
  for (const char* name : {"sound.vdt", "sound.vdd", "sound.vdt.build", "sound.vdd.build"})
    EXPECT_FALSE(std::filesystem::exists(folder / name)) << name;
}

// A drive holding one 5000-byte file ":f"; the offsets below point into its table file.
class GVirtualDriveDamageTest : public GVirtualDriveTest {
 protected:
  void SetUp() override {
    GVirtualDriveTest::SetUp();
    ASSERT_TRUE(PutFile(drive, ":f", Pattern(5000, 1)) && drive.Close());
    original = Table();
    ASSERT_EQ(original.size(), 102u);
  }
  bool OpensWithTable(const std::string& bytes) {
    EXPECT_TRUE(WriteText(table.c_str(), bytes));
    GVirtualDrive other;
    return other.Open(table.c_str());
  }
  std::string original;
};

TEST_F(GVirtualDriveDamageTest, DamagedTablesAndDataFilesDoNotOpen) {
  EXPECT_TRUE(OpensWithTable(original));
  for (size_t n = 0; n < original.size(); ++n)
    EXPECT_FALSE(OpensWithTable(original.substr(0, n))) << "truncated to " << n;

  const std::tuple<size_t, int32_t, const char*> patches[] = {
      {0, 0x12345678, "signature"},
      {8, 0x7FFFFFFF, "data file name length"},
      {29, 1000, "bucket count"},
      {37, 0x10000000, "entry count"},
      {58, 999999, "size beyond the clusters"},
      {66, 2, "cluster outside the data file"},
      {82, 5, "free list count"},
  };
  for (auto [offset, value, what] : patches)
    EXPECT_FALSE(OpensWithTable(Patched(original, offset, value))) << what;
  std::string escaping = original;
  escaping.replace(12, 9, "../x.vdd\0", 9);
  EXPECT_FALSE(OpensWithTable(escaping)) << "data file outside the drive's folder";

  // The data file: its cluster 1 gone, it does not open (a missing, empty or
  // foreign one is checked through the platform, which builds the drive
  // again); its last cluster cut short, it opens with the bytes still there.
  const std::string data = Data();
  ASSERT_TRUE(WriteText(folder / "image.vdd", data.substr(0, 4 + 4096)));
  EXPECT_FALSE(OpensWithTable(original));
  ASSERT_TRUE(WriteText(folder / "image.vdd", data.substr(0, 4 + 4096 + 100)));
  ASSERT_TRUE(drive.Open(table.c_str()));
  EXPECT_EQ(GetFile(drive, ":f"), Pattern(5000, 1).substr(0, 4196));
}

// The table of a drive whose root holds the files given (10 bytes each, in the clusters given)
// with the free-cluster list `released`; entries are filed by their names' first bytes.
using NamedClusters = std::pair<std::string, std::vector<int>>;
std::string RootTable(const std::vector<NamedClusters>& files, const std::vector<int>& released) {
  std::map<unsigned char, std::vector<const NamedClusters*>> buckets;
  for (const NamedClusters& file : files) buckets[file.first[0]].push_back(&file);
  ByteBuilder t = TableHeader();
  t.Int(0).Int(0).Int(buckets.rbegin()->first + 1);
  for (const auto& [bucket, entries] : buckets) {
    t.Int(bucket).Int(static_cast<int32_t>(entries.size()));
    for (const NamedClusters* file : entries) {
      t.Int(1).Name(file->first).Int(0).Int(0).Int(10);
      t.Int(static_cast<int32_t>(file->second.size()));
      for (int c : file->second) t.Int(c);
    }
  }
  t.Int(-1);
  CArrayInt list;
  for (int c : released) list.Add(c);
  CFerroStreamMemory freeList;
  freeList.Open(nullptr, 0, CFerroStream::modeWrite);
  EXPECT_TRUE(list.Serialize(freeList));
  return t
      .Raw(std::string_view(reinterpret_cast<const char*>(freeList.GetBuffer()),
                            freeList.GetLength()))
      .bytes;
}

// Sharing a cluster would let one file's writes show up in another, or hand a cluster still in
// use to the next growing file; an entry no path can name could never be read or removed, and
// its clusters would be lost for good.
TEST_F(GVirtualDriveDamageTest, ClustersClaimedTwiceAndEntriesNoPathCanNameDoNotOpen) {
  ASSERT_TRUE(WriteText(folder / "image.vdd", kDataSignature + std::string(3 * 4096, 'x')));
  const struct {
    const char* what;
    std::vector<NamedClusters> files;
    std::vector<int> released;
    bool opens;
  } cases[] = {
      {"every cluster claimed once", {{"a", {0}}, {"b", {1}}}, {2}, true},
      {"two files share their last cluster", {{"a", {0, 2}}, {"b", {1, 2}}}, {}, false},
      {"a file names a cluster twice", {{"a", {0, 0}}, {"b", {1}}}, {}, false},
      {"a released cluster is still in use", {{"a", {0}}, {"b", {1}}}, {1}, false},
      {"a separator", {{"a", {0}}, {"a/b", {1}}}, {}, false},
      {"two dots", {{"..", {1}}, {"a", {0}}}, {}, false},
      {"a second entry of the same name", {{"a", {0}}, {"a", {1}}}, {}, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(OpensWithTable(RootTable(c.files, c.released)), c.opens) << c.what;
}

}  // namespace
