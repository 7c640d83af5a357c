// The archive road on a fresh copy of the installed suite with a data folder of its own:
// three pictures are filed through the archive's menu with words of the shipped standard
// thesaurus; the topic editor gives the first a note and deletes the third; the query tool
// finds the first by its note and hands the result folder to the media browser; the
// maintenance tool, started from the editor's menu, compacts the library. The record file,
// its indexes and the library are then read back by a reader of this test's own, written
// from the documented file layout (not the database library), so that a change of the
// layout the programs share shows here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>

#include "bmp_file.h"
#include "driver.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/suite_classes.h"
#include "installed_suite.h"
#include "program_test.h"

namespace roads {
namespace {

constexpr DWORD kWaitMs = 30000;
constexpr std::chrono::milliseconds kLimit{kWaitMs};

// The archive's File item, its count of pictures still to file, its first topic field and
// its message box.
constexpr int kArchiveFileItem = 3;
constexpr int kArchiveCount = 13;
constexpr int kArchiveFirstTopic = 2000 + 12;
constexpr const char* kBoxClass = "SKMSGBOX";
// The topic editor's First, Last, Delete and Save buttons, its Compact the libraries item and its text
// field after the ten topic slots (fields from 32201).
constexpr int kEditorFirst = 13;
constexpr int kEditorLast = 14;
constexpr int kEditorDelete = 12;
constexpr int kEditorSave = 11;
constexpr int kEditorCompactItem = 204;
constexpr int kEditorField = 32200;
constexpr int kTextField = 22;
// The query tool's Search button and its fields (from 32202).
constexpr int kQuerySearch = 301;
constexpr int kQueryField = 32201;
// The media browser's file list.
constexpr int kBrowserFileList = 3;

// The record length of the archive's form and its files' base name.
constexpr size_t kRecordLength = 671;
constexpr size_t kPage = 4096;

// ---- A reader of the documented layout (docs/archive-database.md) -----------------------

uint32_t U32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
         uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t U16(const std::string& b, size_t at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }
uint64_t U64(const std::string& b, size_t at) { return uint64_t(U32(b, at)) | uint64_t(U32(b, at + 4)) << 32; }

struct IndexFile {
  std::string fault;  // empty when the file reads as documented
  uint16_t keyLength = 0;
  uint64_t pairCount = 0;
  std::vector<std::pair<std::string, uint32_t>> pairs;  // in file order
};

// Walks an index file from its root down to its leaves, checking what the layout documents
// (the check values' algorithm is not documented: they are not checked).
IndexFile ReadIndex(const std::string& path) {
  IndexFile index;
  std::string b;
  if (fileio::ReadWholeFile(path, b) != fileio::kOk) return index.fault = "unreadable", index;
  if (b.size() < kPage || b.size() % kPage != 0) return index.fault = "not whole pages", index;
  if (b.compare(0, 8, std::string("BTREEIX\x1a", 8)) != 0) return index.fault = "magic", index;
  if (U32(b, 8) != 1) return index.fault = "version", index;
  if (U32(b, 12) != kPage) return index.fault = "page size", index;
  index.keyLength = U16(b, 16);
  if (index.keyLength < 1 || index.keyLength > 240) return index.fault = "key length", index;
  if (U32(b, 20) & 1) return index.fault = "a change is being written", index;
  const uint32_t root = U32(b, 40), height = U32(b, 44), inUse = U32(b, 48);
  index.pairCount = U64(b, 56);
  if (inUse == 0 || inUse > b.size() / kPage || root == 0 || root >= inUse || height == 0)
    return index.fault = "root, height or pages in use", index;
  const size_t entry = index.keyLength + 4u;
  // Depth first: each page's kind, level and own number as the head says.
  std::function<bool(uint32_t, uint32_t)> walk = [&](uint32_t page, uint32_t level) -> bool {
    if (page == 0 || page >= inUse) return false;
    const size_t at = size_t(page) * kPage;
    const int kind = uint8_t(b[at]);
    const int pageLevel = uint8_t(b[at + 1]);
    const uint16_t count = U16(b, at + 2);
    if (U32(b, at + 4) != page || pageLevel != int(level)) return false;
    if (level == 0) {
      if (kind != 1 || 16 + size_t(count) * entry > kPage) return false;
      for (uint16_t i = 0; i < count; ++i) {
        const size_t e = at + 16 + i * entry;
        index.pairs.emplace_back(b.substr(e, index.keyLength), U32(b, e + index.keyLength));
      }
      return true;
    }
    if (kind != 2 || 16 + 4 + size_t(count) * (entry + 4) > kPage) return false;
    if (!walk(U32(b, at + 16), level - 1)) return false;
    for (uint16_t i = 0; i < count; ++i)
      if (!walk(U32(b, at + 20 + i * (entry + 4) + entry), level - 1)) return false;
    return true;
  };
  if (!walk(root, height - 1)) return index.fault = "a page's head", index;
  if (!std::is_sorted(index.pairs.begin(), index.pairs.end())) return index.fault = "order", index;
  if (index.pairs.size() != index.pairCount) return index.fault = "number of pairs", index;
  return index;
}

std::string Padded(const std::string& key, size_t width) { return key + std::string(width - key.size(), ' '); }

struct LibraryItem {
  std::string name;  // blank-padded, 12 characters
  size_t begin = 0, end = 0;
  bool removed = false;
};

// The library's items, read backward from its end by their trailers; empty (and a fault)
// when a trailer does not fit.
std::vector<LibraryItem> ReadLibrary(const std::string& bytes, std::string& fault) {
  std::vector<LibraryItem> items;
  size_t end = bytes.size();
  const std::string mark("\x9fin\r\n\x1a", 6);
  while (end > 0) {
    if (end < 22) return fault = "a trailer reaches before the start", items;
    const size_t t = end - 22;
    const int32_t signedLength = int32_t(U32(bytes, t));
    const size_t length = size_t(signedLength < 0 ? -int64_t(signedLength) : signedLength);
    if (bytes.compare(t + 16, 6, mark) != 0) return fault = "end mark", items;
    if (length < 22 || length > end) return fault = "length", items;
    LibraryItem item;
    item.name = bytes.substr(t + 4, 12);
    item.removed = item.name.find('\x0f') != std::string::npos;
    item.begin = end - length;
    item.end = end;
    items.push_back(item);
    end -= length;
  }
  std::reverse(items.begin(), items.end());
  return items;
}

// ---- The road ------------------------------------------------------------------------

// The word the archive's first topic field shows, and whether the list offers it.
bool Offers(HWND field, const std::string& word) {
  std::vector<std::string> words = driver::ListItems(field);
  return std::find(words.begin(), words.end(), word) != words.end();
}

TEST(RoadArchive, PicturesFiledEditedFoundCompactedAndReadBackByTheDocumentedLayout) {
  InstalledSuite suite;
  ASSERT_TRUE(suite.Complete());
  // The archive's data folder is a fresh one of the user's, named by the program folder's
  // archive settings file; it does not exist yet.
  const std::string data = suite.UserFolder("Archive") + "Data\\";
  ASSERT_FALSE(fileio::Exists(data));
  ASSERT_EQ(fileio::WriteFileReplacing(suite.Folder() + "QORIMAGENET.CFG", data + "\r\n"), fileio::kOk);
  // Pictures of the user's, named in the order the archive shows them.
  const std::string pictures = suite.UserFolder("Scans");
  ASSERT_TRUE(WriteBmp(pictures + "harbour.bmp", 40, 30, 30, 100, 200));
  ASSERT_TRUE(WriteBmp(pictures + "castle.bmp", 48, 36, 200, 60, 10));
  // A third that is filed and then deleted: the compaction has an item to drop.
  ASSERT_TRUE(WriteBmp(pictures + "quay.bmp", 56, 20, 90, 90, 90));
  std::string firstBytes, secondBytes;
  ASSERT_EQ(fileio::ReadWholeFile(pictures + "castle.bmp", firstBytes), fileio::kOk);
  ASSERT_EQ(fileio::ReadWholeFile(pictures + "harbour.bmp", secondBytes), fileio::kOk);

  ChildProcess archive;
  ASSERT_TRUE(suite.Start(archive, "grilton", "\"" + pictures + "\""));
  HWND frame = WaitForProgram(archive, SuiteProgramNamed("grilton"));
  ASSERT_NE(frame, nullptr);
  HWND count = driver::FindChild(frame, kArchiveCount);
  HWND topic = driver::FindChild(frame, kArchiveFirstTopic);
  ASSERT_NE(count, nullptr);
  ASSERT_NE(topic, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return driver::WindowText(count) == "3"; }, kLimit))
      << "the archive shows " << driver::WindowText(count);
  // The shipped standard thesaurus was copied into the new data folder and is offered.
  EXPECT_TRUE(fileio::Exists(data + "standard.thm"));
  ASSERT_TRUE(PumpUntil(
      [&] { return Offers(topic, "CASTLE") && Offers(topic, "HARBOUR") && Offers(topic, "SEA"); }, kLimit));

  // Each picture gets a word of the thesaurus and is filed through the Archive menu.
  const std::vector<std::string> words{"CASTLE", "HARBOUR", "SEA"};
  for (size_t i = 0; i < words.size(); ++i) {
    ASSERT_TRUE(driver::SetText(topic, words[i]));
    ASSERT_TRUE(PostUserCommand(suite, "grilton", frame, kArchiveFileItem));
    const std::string left = std::to_string(words.size() - 1 - i);
    ASSERT_TRUE(PumpUntil([&] { return driver::WindowText(count) == left || FindWindowA(kBoxClass, nullptr); },
                          kLimit));
    ASSERT_EQ(FindWindowA(kBoxClass, nullptr), nullptr) << driver::BoxText(FindWindowA(kBoxClass, nullptr));
  }
  EXPECT_EQ(EndProgram(archive, frame, kLimit), 0);

  // The topic editor shows the first record and the user gives it a note.
  ChildProcess editor;
  ASSERT_TRUE(suite.Start(editor, "lumbric"));
  HWND form = WaitForProgram(editor, SuiteProgramNamed("lumbric"));
  ASSERT_NE(form, nullptr);
  // The frame shows before its form: the user walks once the form's fields are there.
  HWND editorKey = nullptr, editorTopic = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        editorKey = driver::FindChild(form, kEditorField + 1);
        editorTopic = driver::FindChild(form, kEditorField + 12);
        return driver::FindChild(form, kEditorFirst) && editorKey && editorTopic;
      },
      kLimit))
      << "the topic editor's form never came";
  ASSERT_TRUE(PostUserCommand(suite, "lumbric", form, kEditorFirst));
  ASSERT_TRUE(PumpUntil([&] { return !driver::WindowText(editorKey).empty(); }, kLimit));
  EXPECT_EQ(driver::WindowText(editorTopic), "CASTLE");
  const std::string firstKey = driver::WindowText(editorKey);
  const std::string note = "Keep tower at dusk";
  ASSERT_TRUE(driver::SetText(driver::FindChild(form, kEditorField + kTextField), note));
  ASSERT_TRUE(PostUserCommand(suite, "lumbric", form, kEditorSave));
  std::string said;
  ASSERT_TRUE(PumpUntil([&] { return !(said = driver::BoxText(FindWindowA(kBoxClass, nullptr))).empty(); }, kLimit));
  EXPECT_EQ(said, "The record is saved.");
  ASSERT_TRUE(driver::PressButton(kBoxClass, 1, "", kWaitMs));
  ASSERT_TRUE(WaitForNoWindow(kBoxClass, kWaitMs));

  // The last record (the third picture) is deleted; the editor shows the one before.
  ASSERT_TRUE(PostUserCommand(suite, "lumbric", form, kEditorLast));
  ASSERT_TRUE(PumpUntil([&] { return driver::WindowText(editorTopic) == "SEA"; }, kLimit));
  const std::string thirdKey = driver::WindowText(editorKey);
  ASSERT_TRUE(PostUserCommand(suite, "lumbric", form, kEditorDelete));
  ASSERT_TRUE(PumpUntil([&] { return !(said = driver::BoxText(FindWindowA(kBoxClass, nullptr))).empty(); }, kLimit));
  EXPECT_EQ(said, "Delete this record?");
  ASSERT_TRUE(driver::PressButton(kBoxClass, 1, "", kWaitMs));
  ASSERT_TRUE(WaitForNoWindow(kBoxClass, kWaitMs));
  ASSERT_TRUE(PumpUntil([&] { return driver::WindowText(editorTopic) == "HARBOUR"; }, kLimit));

  // The query tool finds the record by a word of its note and hands the result folder to
  // the media browser, which it starts.
  ProgramsEndedAtExit browsers({kClassBrowser});
  ChildProcess query;
  ASSERT_TRUE(suite.Start(query, "ostrel"));
  HWND queryFrame = WaitForProgram(query, SuiteProgramNamed("ostrel"));
  ASSERT_NE(queryFrame, nullptr);
  ASSERT_TRUE(driver::SetText(driver::FindChild(queryFrame, kQueryField + kTextField), "tower"));
  ASSERT_TRUE(PostUserCommand(suite, "ostrel", queryFrame, kQuerySearch));
  HWND browser = WaitForWindow(kClassBrowser, kWaitMs);
  ASSERT_NE(browser, nullptr) << "the media browser did not come";
  const std::string result = suite.Folder() + "RESULT\\";
  std::vector<std::string> resultFiles;
  for (const fileio::DirEntry& e : fileio::ListDirectory(result + "*.*"))
    if (!e.directory) resultFiles.push_back(e.name);
  // The first record's picture only, whole.
  ASSERT_EQ(resultFiles.size(), 1u) << "the result folder holds " << resultFiles.size() << " files";
  std::string found;
  ASSERT_EQ(fileio::ReadWholeFile(result + resultFiles[0], found), fileio::kOk);
  EXPECT_EQ(found, firstBytes) << resultFiles[0];
  // The browser lists that folder.
  HWND list = nullptr;
  std::vector<std::string> listed;
  EXPECT_TRUE(PumpUntil(
      [&] {
        list = driver::FindChild(browser, kBrowserFileList);
        listed = list ? driver::ListItems(list) : std::vector<std::string>{};
        return listed.size() == 1 && fileio::EqualsNoCase(listed[0], " " + resultFiles[0]);
      },
      kLimit, std::chrono::milliseconds(100)))
      << "the browser lists " << listed.size() << " files" << (listed.empty() ? "" : ", first " + listed[0]);
  EXPECT_EQ(EndProgram(query, queryFrame, kLimit), 0);

  // The maintenance tool compacts the library, started from the editor's menu: it builds
  // a new index (a file of a new identity) and swaps both in.
  const std::string libraryIndex = data + "QORIMAGE001.I01";
  std::string indexBefore, libraryBefore, fault;
  ASSERT_EQ(fileio::ReadWholeFile(data + "QORIMAGE001.B01", libraryBefore), fileio::kOk);
  // Before: three items, the deleted record's marked removed.
  std::vector<LibraryItem> itemsBefore = ReadLibrary(libraryBefore, fault);
  ASSERT_EQ(fault, "");
  ASSERT_EQ(itemsBefore.size(), 3u);
  size_t droppedLength = 0;
  for (const LibraryItem& item : itemsBefore)
    if (item.removed) droppedLength += item.end - item.begin;
  EXPECT_GT(droppedLength, 22u) << "the deleted record's picture is not marked removed";
  ASSERT_EQ(fileio::ReadWholeFile(libraryIndex, indexBefore), fileio::kOk);
  ASSERT_TRUE(PostUserCommand(suite, "lumbric", form, kEditorCompactItem));
  ASSERT_NE(WaitForWindow(kBoxClass, kWaitMs), nullptr);
  ASSERT_TRUE(driver::PressButton(kBoxClass, 1, "", kWaitMs));
  EXPECT_TRUE(PumpUntil(
      [&] {
        std::string now;
        return fileio::ReadWholeFile(libraryIndex, now) == fileio::kOk && now.size() >= 32 &&
               indexBefore.size() >= 32 &&
               now.compare(24, 8, indexBefore, 24, 8) != 0 &&
               fileio::FileSize(data + "QORIMAGE001.B01") == int64_t(libraryBefore.size() - droppedLength) &&
               !FindWindowA(kClassMaintenance, nullptr) &&
               !IsIconic(form) && IsWindowEnabled(form);
      },
      std::chrono::milliseconds(60000)))
      << "the library was not compacted: " << fileio::FileSize(data + "QORIMAGE001.B01") << " bytes of "
      << libraryBefore.size() << ", " << droppedLength << " to drop";
  EXPECT_EQ(EndProgram(editor, form, kLimit), 0);

  // The record file: a header whose number is 0 (no append under way), then three slots:
  // the first two hold their words (the first its note too), the third was deleted.
  std::string records;
  ASSERT_EQ(fileio::ReadWholeFile(data + "QORIMAGE.F01", records), fileio::kOk);
  ASSERT_EQ(records.size(), 4 * kRecordLength);
  EXPECT_EQ(U32(records, 0), 0u);
  EXPECT_EQ(records.find_first_not_of(' ', 4), kRecordLength) << "the header is not blank after its number";
  // The deleted slot's key field holds "/" characters in place of its key.
  const std::string deleted = records.substr(3 * kRecordLength, kRecordLength);
  EXPECT_EQ(deleted.find(thirdKey), std::string::npos) << deleted;
  EXPECT_NE(deleted.find('/'), std::string::npos) << deleted;
  for (size_t i = 0; i < 2; ++i) {
    const std::string record = records.substr((i + 1) * kRecordLength, kRecordLength);
    EXPECT_NE(record.find(words[i]), std::string::npos) << "record " << i + 2 << ": " << record;
    EXPECT_EQ(record.find(note) != std::string::npos, i == 0) << "record " << i + 2 << ": " << record;
  }

  // Index 0: one pair per record, the key to the record number.
  IndexFile keys = ReadIndex(data + "QORIMAGE.F01.K00");
  ASSERT_EQ(keys.fault, "");
  std::map<uint32_t, std::string> keyOf;
  for (const auto& pair : keys.pairs) {
    // A deleted slot keeps an index 0 pair under its "/" key.
    if (pair.first[0] == '/') {
      EXPECT_EQ(pair.second, 4u);
      continue;
    }
    keyOf[pair.second] = pair.first;
    ASSERT_GE(pair.second, 2u);
    ASSERT_LE(pair.second, 3u);
    // The key is the record's own text somewhere: the key field's columns are not in the
    // documented layout, only that the record holds its fields' texts.
    EXPECT_NE(records.substr(pair.second * kRecordLength - kRecordLength, kRecordLength).find(pair.first),
              std::string::npos);
  }
  ASSERT_EQ(keyOf.size(), 2u);
  // The key the editor showed for the first record is index 0's key of record 2.
  EXPECT_EQ(keyOf[2], Padded(firstKey, keys.keyLength));

  // Some topic index holds each word, upper case and blank-padded, with its record.
  bool indexed[3] = {false, false, false};
  for (int k = 1; k <= 20; ++k) {
    char name[8];
    snprintf(name, sizeof name, ".K%02d", k);
    if (!fileio::Exists(data + "QORIMAGE.F01" + name)) continue;
    IndexFile index = ReadIndex(data + "QORIMAGE.F01" + name);
    EXPECT_EQ(index.fault, "") << name;
    for (size_t i = 0; i < words.size(); ++i) {
      if (words[i].size() > index.keyLength) continue;
      const std::pair<std::string, uint32_t> pair{Padded(words[i], index.keyLength), uint32_t(i + 2)};
      if (std::find(index.pairs.begin(), index.pairs.end(), pair) != index.pairs.end()) indexed[i] = true;
    }
  }
  EXPECT_TRUE(indexed[0]) << "no topic index names CASTLE with record 2";
  EXPECT_TRUE(indexed[1]) << "no topic index names HARBOUR with record 3";
  EXPECT_FALSE(indexed[2]) << "a topic index still names SEA of the deleted record";

  // The library: each live item is named in its index with its end, and the pictures'
  // bytes are there whole.
  std::string library;
  ASSERT_EQ(fileio::ReadWholeFile(data + "QORIMAGE001.B01", library), fileio::kOk);
  std::vector<LibraryItem> items = ReadLibrary(library, fault);
  ASSERT_EQ(fault, "");
  IndexFile named = ReadIndex(data + "QORIMAGE001.I01");
  ASSERT_EQ(named.fault, "");
  ASSERT_EQ(named.keyLength, 12u);
  std::vector<std::string> live;
  for (const LibraryItem& item : items) {
    const std::pair<std::string, uint32_t> pair{item.name, uint32_t(item.end)};
    if (!item.removed && std::find(named.pairs.begin(), named.pairs.end(), pair) != named.pairs.end())
      live.push_back(library.substr(item.begin, item.end - item.begin - 22));
  }
  EXPECT_EQ(named.pairs.size(), live.size());
  EXPECT_EQ(items.size(), 2u) << "the compacted library keeps an item of no record";
  EXPECT_NE(std::find(live.begin(), live.end(), firstBytes), live.end()) << "castle.bmp is not in the library";
  EXPECT_NE(std::find(live.begin(), live.end(), secondBytes), live.end()) << "harbour.bmp is not in the library";
}

}  // namespace
}  // namespace roads
