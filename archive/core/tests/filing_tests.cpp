// Filing pictures into an archive in a test folder, checked by reading the files back
// without the filing's own code.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>

#include "db/archive.h"
#include "db/db.h"
#include "filing_test_util.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "grilton/filing.h"
#include "skin/sk_files.h"
#include "temp_dir.h"

namespace {

std::string Bytes(const std::string& path) {
  std::string bytes;
  fileio::ReadWholeFile(path, bytes);
  return bytes;
}

std::string Padded(std::string s, size_t n) {
  s.resize(n, ' ');
  return s;
}

// The columns of a record as the record layout lists them: widths in form order.
std::vector<std::string> Columns(const std::string& record) {
  static const int kWidths[] = {8, 30, 8, 3, 2, 8, 5, 5, 9, 4, 2, 40, 40, 40, 40, 40,
                                40, 40, 40, 40, 40, 100, 1, 20, 30, 12, 12, 12};
  std::vector<std::string> columns;
  size_t at = 0;
  for (int w : kWidths) {
    columns.push_back(record.substr(at, size_t(w)));
    at += size_t(w);
  }
  return columns;
}

// Moves a file's last-write time an hour back.
void MakeOlder(const std::string& path) {
#ifdef _WIN32
  std::filesystem::path p(path);
#else
  std::filesystem::path p(fileio::NativePath(path));
#endif
  std::filesystem::last_write_time(p, std::filesystem::last_write_time(p) - std::chrono::hours(1));
}

std::string CopyOut(const grilton::ArchivePlace& place, std::string item, const std::string& target) {
  qBtMmText(item, 1);
  if (qBtMmLib(place.Library(), target, -2) != 0) return "<missing>";
  return Bytes(target);
}

class Filing : public ::testing::Test {
 protected:
  TempDir dir;
  grilton::ArchivePlace place = TestPlace(dir.Path());
  void SetUp() override { ASSERT_EQ(fileio::MakeDirectories(place.workFolder), 0); }
};

TEST_F(Filing, RecordTwoHoldsEveryColumnAndTheItemsCopyOutUnchanged) {
  const std::string picture = dir.Write("pics\\photo.jpeg", std::string("JPEGDATA\0\x01\xFF", 11));
  const std::string layered = dir.Write("pics\\photo.QMF", "layered objects");
  const std::string planned = grilton::DocumentItem(grilton::PlannedKey(place));
  EXPECT_EQ(planned, "00000001.DOC");
  const std::string doc = dir.Write("WORK\\" + planned, "my document");
  const std::string sound = dir.Write("WORK\\00000001.WAV", "RIFF....WAVE");
  MakeOlder(dir.Write("TEMPLATE.DOC", "template"));

  grilton::FilingRequest request = TestRequest(picture, "BIRDS", planned);
  request.values[22] = "yes";  // the flag field
  std::vector<std::string> values = request.values;
  ASSERT_EQ(grilton::CheckForm(request.fields, values, kPlaceholder, false).problem, grilton::FormProblem::None);
  EXPECT_EQ(values[22], "X");
  request.values = values;
  grilton::FilingResult r = grilton::FilePicture(place, request);
  ASSERT_EQ(r.stage, grilton::FilingStage::Done) << r.code;
  EXPECT_EQ(r.key, "00000001");

  const std::string f01 = Bytes(place.RecordFile());
  ASSERT_EQ(f01.size(), 2u * 671u);
  std::vector<std::string> c = Columns(f01.substr(671));
  EXPECT_EQ(c[0], "00000001");
  EXPECT_EQ(c[1], Padded("NAME", 30));
  EXPECT_EQ(c[2], "20240531");
  EXPECT_EQ(c[3], "JPG");
  EXPECT_EQ(c[4], "24");
  EXPECT_EQ(c[5], Padded("-1", 8));
  EXPECT_EQ(c[6], "640  ");
  EXPECT_EQ(c[9], "2024");
  EXPECT_EQ(c[11], Padded("BIRDS", 40));
  EXPECT_EQ(c[12], Padded(kPlaceholder, 40));
  EXPECT_EQ(c[21], Padded("free text", 100));
  EXPECT_EQ(c[22], "X");
  EXPECT_EQ(c[23], Padded("STANDARD", 20));
  EXPECT_EQ(c[24], Padded(DBUSERNAME(), 30));
  EXPECT_EQ(c[26], "00000001.WAV");
  EXPECT_EQ(c[27], "00000001.QMF");
  EXPECT_EQ(c[25], "00000001.DOC");

  EXPECT_EQ(CopyOut(place, "00000001.JPG", dir.File("out.jpg")), std::string("JPEGDATA\0\x01\xFF", 11));
  EXPECT_EQ(CopyOut(place, "00000001.WAV", dir.File("out.wav")), "RIFF....WAVE");
  EXPECT_EQ(CopyOut(place, "00000001.QMF", dir.File("out.qmf")), "layered objects");
  EXPECT_EQ(CopyOut(place, "00000001.DOC", dir.File("out.doc")), "my document");
  EXPECT_FALSE(fileio::Exists(doc));
  // Stored work files leave the work folder; the picture and its side file stay.
  EXPECT_FALSE(fileio::Exists(sound));
  EXPECT_TRUE(fileio::Exists(picture));
  EXPECT_TRUE(fileio::Exists(layered));
  EXPECT_TRUE(fileio::ListDirectory(place.PendingFolder() + "*.*").empty());

  // The topic index finds the record.
  int handle = 0, status = 0;
  ASSERT_EQ(qBtOpen(DBINDEX(place.RecordFile(), 1), 40, handle, status), 0);
  std::string key = "BIRDS";
  int32_t value = 0;
  EXPECT_EQ(qBtSearch(handle, key, value, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(value, 2);
  qBtClose(handle);
}

TEST_F(Filing, ADocumentAsOldAsTheTemplateIsDeletedNotStored) {
  const std::string picture = dir.Write("p.jpg", "picture");
  dir.Write("TEMPLATE.DOC", "template");
  // A copy of the template that was never edited keeps its time.
  ASSERT_EQ(fileio::CopyFileTo(place.templatePath, place.workFolder + "00000001.DOC"), 0);
  ASSERT_EQ(fileio::ListDirectory(place.templatePath)[0].writeTime,
            fileio::ListDirectory(place.workFolder + "00000001.DOC")[0].writeTime);
  grilton::FilingResult r = grilton::FilePicture(place, TestRequest(picture, "TREES", "00000001.DOC"));
  ASSERT_EQ(r.stage, grilton::FilingStage::Done);
  EXPECT_TRUE(r.documentDropped);
  EXPECT_FALSE(r.documentStored);
  EXPECT_FALSE(fileio::Exists(place.workFolder + "00000001.DOC"));
  EXPECT_EQ(Columns(Bytes(place.RecordFile()).substr(671))[25], Padded("", 12));
  EXPECT_EQ(CopyOut(place, "00000001.DOC", dir.File("o.doc")), "<missing>");
}

TEST_F(Filing, ItemsTakeTheKeyTheFilingTookWhenAnotherFilerTookThePlannedOne) {
  const std::string picture = dir.Write("p.png", "png bytes");
  const std::string planned = grilton::DocumentItem(grilton::PlannedKey(place));
  dir.Write("WORK\\" + planned.substr(0, 8) + ".WAV", "sound");
  // Another filer takes the planned key meanwhile.
  ASSERT_EQ(DBSEQUENCE(place.CounterFile(), place.keyPattern, 1), "00000001");
  grilton::FilingResult r = grilton::FilePicture(place, TestRequest(picture, "TREES", planned));
  ASSERT_EQ(r.stage, grilton::FilingStage::Done);
  EXPECT_EQ(r.key, "00000002");
  EXPECT_TRUE(r.soundStored);
  std::vector<std::string> c = Columns(Bytes(place.RecordFile()).substr(671));
  EXPECT_EQ(c[0], "00000002");
  EXPECT_EQ(c[26], "00000002.WAV");
  EXPECT_EQ(CopyOut(place, "00000002.WAV", dir.File("o.wav")), "sound");
  EXPECT_EQ(CopyOut(place, "00000002.PNG", dir.File("o.png")), "png bytes");
  EXPECT_EQ(CopyOut(place, "00000001.WAV", dir.File("o1.wav")), "<missing>");
}

TEST_F(Filing, AFailedStoreTakesBackTheItemsAlreadyStoredAndWritesNoRecord) {
  const std::string picture = dir.Write("p.jpg", "picture");
  dir.Write("WORK\\00000001.WAV", "sound");
  dir.Write("p.QMF", "layers");
  // The library holds the sound's name already: its store is refused.
  std::string item = "00000001.WAV";
  qBtMmText(item, 1);
  ASSERT_EQ(qBtMmLib(place.Library(), dir.Write("old.wav", "old"), 1), 0);
  grilton::FilingResult r = grilton::FilePicture(place, TestRequest(picture, "TREES", "00000001.DOC"));
  EXPECT_EQ(r.stage, grilton::FilingStage::StoreFailed);
  EXPECT_EQ(r.code, kDbRefused);
  EXPECT_EQ(r.failedFile, place.workFolder + "00000001.WAV");
  EXPECT_EQ(CopyOut(place, "00000001.JPG", dir.File("o.jpg")), "<missing>");
  EXPECT_EQ(CopyOut(place, "00000001.QMF", dir.File("o.qmf")), "<missing>");
  EXPECT_EQ(CopyOut(place, "00000001.WAV", dir.File("o.wav")), "old");
  EXPECT_EQ(Bytes(place.RecordFile()).size(), 671u);  // the header only
  EXPECT_TRUE(fileio::Exists(place.workFolder + "00000001.WAV"));  // nothing lost
  EXPECT_TRUE(fileio::ListDirectory(place.PendingFolder() + "*.*").empty());
}

TEST_F(Filing, ARecordFileThatCannotBeMadeIsReported) {
  place.dataFolder = dir.File("missing\\folder\\");
  grilton::FilingResult r = grilton::FilePicture(place, TestRequest(dir.Write("p.jpg", "x"), "TREES"));
  EXPECT_EQ(r.stage, grilton::FilingStage::CreateFailed);
  EXPECT_NE(r.code, 0);
  // A record file that is a folder cannot be opened.
  place = TestPlace(dir.Path());
  ASSERT_EQ(fileio::MakeDirectories(place.RecordFile()), 0);
  r = grilton::FilePicture(place, TestRequest(dir.Write("p.jpg", "x"), "TREES"));
  EXPECT_NE(r.stage, grilton::FilingStage::Done);
  EXPECT_NE(r.code, 0);
}

TEST(FormCheck, ATopicIsNeededAndDatesMustBeReal) {
  grilton::FilingRequest r = TestRequest("x.jpg", kPlaceholder);
  grilton::FormCheck check = grilton::CheckForm(r.fields, r.values, kPlaceholder, false);
  EXPECT_EQ(check.problem, grilton::FormProblem::NoTopic);
  r.values[15] = "  (none) ";
  EXPECT_EQ(grilton::CheckForm(r.fields, r.values, kPlaceholder, false).problem, grilton::FormProblem::NoTopic);
  r.values[15] = "LAKES";
  r.values[2] = "02-30-2024";
  check = grilton::CheckForm(r.fields, r.values, kPlaceholder, false);
  EXPECT_EQ(check.problem, grilton::FormProblem::BadDate);
  EXPECT_EQ(check.field, 3);
  r.values[2] = "";
  EXPECT_EQ(grilton::CheckForm(r.fields, r.values, kPlaceholder, false).problem, grilton::FormProblem::None);
  EXPECT_EQ(r.values[22], "");  // an empty flag stays empty
}

TEST_F(Filing, AnInterruptedFilingLosesItsItemsAtTheNextStartAndAFinishedOneKeepsThem) {
  const auto fields = db::ArchiveFields(kSlots, 2024, 5);
  // A finished filing, then the leftovers of one killed after storing two items.
  ASSERT_EQ(grilton::FilePicture(place, TestRequest(dir.Write("a.jpg", "aaa"), "TREES")).stage,
            grilton::FilingStage::Done);
  for (const char* item : {"00000007.JPG", "00000007.WAV"}) {
    std::string name = item;
    qBtMmText(name, 1);
    ASSERT_EQ(qBtMmLib(place.Library(), dir.Write("x.bin", "bytes"), 1), 0);
  }
  dir.Write("QORIMAGE.PND\\00000007.PND", place.Library() + "\r\n00000007.JPG\r\n00000007.WAV\r\n");
  // A record written but its pending file left: the items stay.
  dir.Write("QORIMAGE.PND\\00000001.PND", place.Library() + "\r\n00000001.JPG\r\n");
  // A filing that still runs holds its pending file's lock.
  std::string liveItem = "00000009.JPG";
  qBtMmText(liveItem, 1);
  ASSERT_EQ(qBtMmLib(place.Library(), dir.Write("y.bin", "live"), 1), 0);
  const std::string live = dir.Write("QORIMAGE.PND\\00000009.PND", place.Library() + "\r\n00000009.JPG\r\n");
  fileio::File holder;
  ASSERT_EQ(holder.Open(live, fileio::Access::ReadWrite, fileio::Share::DenyNone), 0);
  ASSERT_EQ(holder.Lock(int64_t(1) << 40, 1), 0);

  EXPECT_EQ(grilton::RecoverInterruptedFilings(place, fields), 1);
  EXPECT_EQ(CopyOut(place, "00000007.JPG", dir.File("o1")), "<missing>");
  EXPECT_EQ(CopyOut(place, "00000007.WAV", dir.File("o2")), "<missing>");
  EXPECT_EQ(CopyOut(place, "00000001.JPG", dir.File("o3")), "aaa");
  EXPECT_EQ(CopyOut(place, "00000009.JPG", dir.File("o4")), "live");
  EXPECT_FALSE(fileio::Exists(place.PendingFolder() + "00000007.PND"));
  EXPECT_FALSE(fileio::Exists(place.PendingFolder() + "00000001.PND"));
  EXPECT_TRUE(fileio::Exists(live));
  holder.Close();
  EXPECT_EQ(grilton::RecoverInterruptedFilings(place, fields), 1);
  EXPECT_EQ(CopyOut(place, "00000009.JPG", dir.File("o5")), "<missing>");
}

// A pending file is only trusted with the items of its own key in the archive's own
// library: a damaged or foreign one takes nothing of another record nor another library.
TEST_F(Filing, ADamagedPendingFileTakesOutOnlyItsOwnKeysItemsFromTheArchivesLibrary) {
  const auto fields = db::ArchiveFields(kSlots, 2024, 5);
  ASSERT_EQ(grilton::FilePicture(place, TestRequest(dir.Write("a.jpg", "aaa"), "TREES")).stage,
            grilton::FilingStage::Done);
  const std::string otherLibrary = dir.File("OTHER\\QORIMAGE001.B01");
  ASSERT_EQ(fileio::MakeDirectories(dir.File("OTHER\\")), 0);
  auto store = [&](const std::string& library, const std::string& item, const std::string& bytes) {
    std::string name = item;
    qBtMmText(name, 1);
    return qBtMmLib(library, dir.Write("x.bin", bytes), 1);
  };
  ASSERT_EQ(store(otherLibrary, "00000001.JPG", "other archive"), 0);
  ASSERT_EQ(store(place.Library(), "00000005.JPG", "half filed"), 0);
  dir.Write("QORIMAGE.PND\\00000005.PND", otherLibrary + "\r\n00000001.JPG\r\n\x01\xFFgarbage\r\n00000005.JPG\r\n"
            "00000005\r\n00000005.JPG\\..\\00000001.JPG\r\n");
  dir.Write("QORIMAGE.PND\\00000006.PND", std::string("\0\0\xFE\r\n00000001.JPG", 16));

  EXPECT_EQ(grilton::RecoverInterruptedFilings(place, fields), 2);
  EXPECT_EQ(CopyOut(place, "00000001.JPG", dir.File("o1")), "aaa");
  EXPECT_EQ(CopyOut(place, "00000005.JPG", dir.File("o2")), "<missing>");
  std::string item = "00000001.JPG";
  qBtMmText(item, 1);
  ASSERT_EQ(qBtMmLib(otherLibrary, dir.File("o3"), -2), 0);
  EXPECT_EQ(Bytes(dir.File("o3")), "other archive");
  EXPECT_FALSE(fileio::Exists(place.PendingFolder() + "00000005.PND"));
  EXPECT_FALSE(fileio::Exists(place.PendingFolder() + "00000006.PND"));
}

}  // namespace
