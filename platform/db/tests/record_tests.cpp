#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include <string>
#include <vector>

#include "../src/rebuild_budget.h"
#include "db/archive.h"
#include "db/db.h"
#include "db_test_util.h"
#include "fileio/file.h"
#include "skin/sk_files.h"
#include "temp_dir.h"

TEST(RecordLayout, ArchiveFormOfTenTopicSlots) {
  auto fields = db::ArchiveFields(10, 2024, 5);
  ASSERT_EQ(fields.size(), 28u);
  EXPECT_EQ(DbRecordLength(fields), 671);
  // Columns: field 12 (first topic) at 85, free text at 485, flag at 585, user at 606,
  // the three item names in the last 36 columns.
  EXPECT_EQ(fields[11].position, 85);
  EXPECT_EQ(fields[21].position, 485);
  EXPECT_EQ(fields[22].position, 585);
  EXPECT_EQ(fields[22].kind, 6);
  EXPECT_EQ(fields[24].position, 606);
  EXPECT_EQ(fields[25].position, 636);
  EXPECT_EQ(fields[27].position + fields[27].width - 1, 671);
  int topics = 0;
  for (const auto& f : fields) topics += f.flag == 1;
  EXPECT_EQ(topics, 10);
  EXPECT_EQ(fields[0].style, 2);
  EXPECT_EQ(fields[22].style, 2);
  EXPECT_EQ(fields[1].style, 1);
  EXPECT_EQ(fields[21].style, 1);
  EXPECT_EQ(fields[23].style, 0);
  EXPECT_EQ(fields[9].minimum, 1800);
  EXPECT_EQ(fields[9].maximum, 2100);
  EXPECT_EQ(fields[9].defaultValue, 2024);
  EXPECT_EQ(fields[10].defaultValue, 5);
  EXPECT_EQ(fields[0].colour2, 0xDFDFDF);
  // A smaller number of slots still gives three.
  EXPECT_EQ(db::ArchiveFields(2, 2024, 1).size(), 21u);
  EXPECT_EQ(DbRecordLength(db::ArchiveFields(11, 2024, 1)), 711);
}

TEST(RecordLayout, IndexesAreTheKeyThenEveryTopicField) {
  auto fields = db::ArchiveFields(3, 2024, 5);
  fields[1].flag = 10;  // counts as a topic field
  std::vector<db::IndexLayout> layouts;
  ASSERT_EQ(db::IndexLayouts(fields, layouts), 0);
  ASSERT_EQ(layouts.size(), 5u);
  const size_t expectedField[] = {0, 1, 11, 12, 13};
  for (size_t k = 0; k < layouts.size(); ++k) {
    EXPECT_EQ(layouts[k].number, int(k));
    EXPECT_EQ(layouts[k].field, expectedField[k]);
    EXPECT_EQ(layouts[k].width, fields[expectedField[k]].width);
  }
  // A field that cannot be indexed gives no layouts.
  fields[12].width = 241;
  EXPECT_EQ(db::IndexLayouts(fields, layouts), kDbErrInvalidParameter);
  EXPECT_TRUE(layouts.empty());
  EXPECT_EQ(db::IndexLayouts({}, layouts), kDbErrInvalidParameter);
}

TEST(RecordLayout, FieldRecordIsFortyFourLittleEndianBytes) {
  DBFIELD f;
  f.kind = 4;
  f.width = 0x0102;
  f.controlWidth = -2;
  f.shade = 1;
  f.x = 0x0304;
  f.y = 0x0506;
  f.style = 0x0A0B0C0D;
  f.colour1 = 0x11223344;
  f.colour2 = 0x00DFDFDF;
  f.minimum = 1800;
  f.maximum = 2100;
  f.defaultValue = 2024;
  f.flag = 10;
  f.control = intptr_t(0x7ABBCCDD);
  f.label = intptr_t(-2);
  f.position = 585;
  f.spare = 9;
  uint8_t b[kDbFieldSize];
  EncodeDbField(f, b);
  EXPECT_EQ(b[0], 4);
  EXPECT_EQ(b[2], 0x02);
  EXPECT_EQ(b[3], 0x01);
  EXPECT_EQ(b[4], 0xFE);
  EXPECT_EQ(b[6], 0);
  EXPECT_EQ(b[7], 0);
  EXPECT_EQ(b[8], 1);
  EXPECT_EQ(b[10], 0x04);
  EXPECT_EQ(b[12], 0x06);
  EXPECT_EQ(b[14], 0x0D);
  EXPECT_EQ(b[17], 0x0A);
  EXPECT_EQ(b[18], 0x44);
  EXPECT_EQ(b[22], 0xDF);
  EXPECT_EQ(b[25], 0x00);
  EXPECT_EQ(b[26] | (b[27] << 8), 1800);
  EXPECT_EQ(b[28] | (b[29] << 8), 2100);
  EXPECT_EQ(b[30] | (b[31] << 8), 2024);
  EXPECT_EQ(b[32], 10);
  EXPECT_EQ(b[33], 0xDD);
  EXPECT_EQ(b[36], 0x7A);
  EXPECT_EQ(b[37], 0xFE);
  EXPECT_EQ(b[40], 0xFF);
  EXPECT_EQ(b[41] | (b[42] << 8), 585);
  EXPECT_EQ(b[43], 9);
  DBFIELD back = DecodeDbField(b);
  EXPECT_EQ(back.control, f.control);
  EXPECT_EQ(back.label, -2);  // sign-extended, as Windows widens handle values
  EXPECT_EQ(back.position, 585);
  EXPECT_EQ(back.colour1, f.colour1);
  auto table = db::ArchiveFields(10, 2024, 5);
  std::string bytes = EncodeDbFields(table);
  EXPECT_EQ(bytes.size(), 28u * 44u);
  EXPECT_EQ(DecodeDbFields(bytes).size(), 28u);
  EXPECT_EQ(DecodeDbFields(bytes)[27].position, 660);
}

TEST(RecordLayout, WriteAndReadFields) {
  auto fields = db::ArchiveFields(10, 2024, 5);
  std::vector<std::string> values = ArchiveValues("00000042", {"CAT", "DOG"});
  values[2] = "05-31-2024";
  values[22] = "X";
  std::string record;
  ASSERT_EQ(DBWRITF(671, record, values, fields), 0);
  ASSERT_EQ(record.size(), 671u);
  EXPECT_EQ(record.substr(0, 8), "00000042");
  EXPECT_EQ(record.substr(38, 8), "20240531");  // the date in its 8 columns
  EXPECT_EQ(record.substr(84, 40), Padded("CAT", 40));
  EXPECT_EQ(record.substr(124, 40), Padded("DOG", 40));
  EXPECT_EQ(record[584], 'X');

  std::vector<std::string> back;
  ASSERT_EQ(DBREADF(record, back, fields, 0), 0);
  ASSERT_EQ(back.size(), 28u);
  EXPECT_EQ(back[0], "00000042");
  EXPECT_EQ(back[2], "20240531");
  EXPECT_EQ(back[11], "CAT");
  EXPECT_EQ(back[27], values[27]);
  ASSERT_EQ(DBREADF(record, back, fields, -1), 0);
  EXPECT_EQ(back[11], Padded("CAT", 40));

  // Too long a value is cut to its field; the neighbour keeps its columns.
  values[3] = "JPEGX";
  ASSERT_EQ(DBWRITF(671, record, values, fields), 0);
  EXPECT_EQ(record.substr(46, 3), "JPE");
  EXPECT_EQ(record.substr(49, 2), Padded(values[4], 2));

  // Day-first dates for a French interface.
  DbSetDayFirstDates(true);
  values[2] = "31/05/2024";
  DBWRITF(671, record, values, fields);
  DbSetDayFirstDates(false);
  EXPECT_EQ(record.substr(38, 8), "20240531");
  EXPECT_EQ(db::DateToDisplay("20240531", true, '/'), "31/05/2024");
  EXPECT_EQ(db::DateToDisplay("20240531", false, '-'), "05-31-2024");
  EXPECT_EQ(db::DateToStored("2024-05-31", false), "20240531");
  EXPECT_EQ(db::DateToStored("13-40-2024", false), "13-40-2024");  // not a date: left alone
}

// The one rule for a date field: blank, or a day of the calendar once stored.
TEST(RecordLayout, ADateFieldIsBlankOrADayOfTheCalendar) {
  EXPECT_TRUE(db::IsAcceptableDateText("", false));
  EXPECT_TRUE(db::IsAcceptableDateText("   ", false));
  EXPECT_TRUE(db::IsAcceptableDateText("02-29-2024", false));
  EXPECT_FALSE(db::IsAcceptableDateText("02-29-2023", false));
  EXPECT_FALSE(db::IsAcceptableDateText("02-29-1900", false));  // centuries leap only by 400
  EXPECT_TRUE(db::IsAcceptableDateText("29/02/2000", true));
  EXPECT_FALSE(db::IsAcceptableDateText("31/04/2024", true));
  EXPECT_FALSE(db::IsAcceptableDateText("2024", false));
  EXPECT_FALSE(db::IsCalendarDate("20241301"));
  EXPECT_FALSE(db::IsCalendarDate("2024013a"));
  EXPECT_TRUE(db::IsCalendarDate("20241231"));
}

TEST(RecordLayout, WritingNeverPassesTheRecordLength) {
  // A form of 11 slots (711 bytes) written into a 671-byte record buffer.
  auto fields = db::ArchiveFields(11, 2024, 5);
  std::vector<std::string> values(fields.size(), std::string(100, 'v'));
  std::string record(700, 'Z');
  EXPECT_EQ(DBWRITF(671, record, values, fields), kDbErrInvalidParameter);
  EXPECT_EQ(record.size(), 700u);
  EXPECT_EQ(record.substr(671), std::string(29, 'Z'));
  std::string shortRecord = "abc";
  EXPECT_EQ(DBWRITF(671, shortRecord, values, fields), kDbErrInvalidParameter);
  EXPECT_EQ(shortRecord.size(), 671u);
  EXPECT_EQ(DBWRITF(0, shortRecord, values, fields), kDbErrInvalidParameter);
  // Reading a short record gives what it holds of each field.
  std::vector<std::string> back;
  EXPECT_EQ(DBREADF(std::string(100, 'r'), back, fields, 0), kDbErrInvalidParameter);
  EXPECT_EQ(back[0], std::string(8, 'r'));
  EXPECT_EQ(back[11], std::string(16, 'r'));
  EXPECT_EQ(back[12], "");
}

TEST(RecordFile, ThreeRecordsAppendedAndIndexed) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  EXPECT_EQ(DBCREATE(a.f01, 671), 0);  // exists: nothing changes
  EXPECT_EQ(SKFILESIZE(a.f01), 671);
  int fileNumber = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fileNumber, ok), 0);
  ASSERT_EQ(ok, 1);
  const std::vector<std::vector<std::string>> topics = {{"CAT"}, {"DOG"}, {"CAT"}};
  for (const auto& t : topics) {
    std::string key = DBSEQUENCE(a.cpt, "00000000", 1);
    ASSERT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues(key, t), a.fields), 0);
  }
  SKFCLOSE(fileNumber);

  std::string bytes;
  ASSERT_EQ(fileio::ReadWholeFile(a.f01, bytes), 0);
  ASSERT_EQ(bytes.size(), 4u * 671u);
  EXPECT_EQ(bytes.substr(0, 4), std::string(4, '\0'));
  EXPECT_EQ(bytes.substr(4, 667), std::string(667, ' '));
  EXPECT_EQ(bytes.substr(671, 8), "00000001");
  EXPECT_EQ(bytes.substr(671 + 84, 40), Padded("CAT", 40));
  EXPECT_EQ(bytes.substr(3 * 671 + 84, 40), Padded("CAT", 40));
  EXPECT_EQ(bytes.substr(2 * 671 + 635, 12), Padded("00000002.DOC", 12));  // the last 36 columns

  // Index 0 finds each key with its record number.
  Index key(DBINDEX(a.f01, 0), 8);
  int status = 0;
  for (int i = 1; i <= 3; ++i) {
    std::string k = "0000000" + std::to_string(i);
    int32_t v = 0;
    ASSERT_EQ(qBtSearch(key.handle, k, v, status), 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(v, i + 1);
  }
  // Topic index 1 holds "CAT" twice with both record numbers.
  Index topic(DBINDEX(a.f01, 1), 40);
  EXPECT_EQ(qBtKeyNbr(topic.handle), 3);
  std::string k = "CAT";
  int32_t v = 0;
  ASSERT_EQ(qBtSearch(topic.handle, k, v, status), 0);
  EXPECT_EQ(v, 2);
  ASSERT_EQ(qBtNext(topic.handle, k, v, status), 0);
  EXPECT_EQ(k, Padded("CAT", 40));
  EXPECT_EQ(v, 4);
  // The empty slots are filed too, as the rebuild files them.
  Index slot2(DBINDEX(a.f01, 2), 40);
  EXPECT_EQ(qBtKeyNbr(slot2.handle), 3);

  // The counter shows the next key without taking it, then takes it.
  EXPECT_EQ(DBSEQUENCE(a.cpt, "00000000", 0), "00000004");
  EXPECT_EQ(DBSEQUENCE(a.cpt, "00000000", 0), "00000004");
  EXPECT_EQ(DBSEQUENCE(a.cpt, "00000000", 1), "00000004");
  EXPECT_EQ(DBSEQUENCE(a.cpt, "00000000", 0), "00000005");
}

TEST(RecordFile, AppendRefusesBadKeysAndForeignFiles) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  int fileNumber = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fileNumber, ok), 0);
  ASSERT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues("00000001", {"CAT"}), a.fields), 0);
  int64_t size = SKFLOF(fileNumber);
  EXPECT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues("", {"CAT"}), a.fields), kDbErrInvalidParameter);
  EXPECT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues(" 0000002", {"CAT"}), a.fields), kDbErrInvalidParameter);
  EXPECT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues("////////", {"CAT"}), a.fields), kDbErrInvalidParameter);
  EXPECT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues("00000001", {"DOG"}), a.fields), kDbErrAlreadyExists);
  // A field table of another record length would write across the records.
  auto wider = db::ArchiveFields(11, 2024, 5);
  std::vector<std::string> widerValues = ArchiveValues("00000003", {"EMU"});
  widerValues.insert(widerValues.begin() + 21, "SLOT11");
  EXPECT_EQ(DBCREF(a.f01, fileNumber, widerValues, wider), kDbErrInvalidData);
  EXPECT_EQ(SKFLOF(fileNumber), size);
  EXPECT_EQ(DBCREF(a.f01, 987654, ArchiveValues("00000004", {"EMU"}), a.fields), kDbErrInvalidHandle);
  SKFCLOSE(fileNumber);
  Index key(DBINDEX(a.f01, 0), 8);
  EXPECT_EQ(qBtKeyNbr(key.handle), 1);
  Index topic(DBINDEX(a.f01, 1), 40);
  EXPECT_EQ(qBtKeyNbr(topic.handle), 1);
}

TEST(RecordFile, OpenCreateAndNames) {
  TempDir dir;
  int fileNumber = 5, ok = 5;
  EXPECT_EQ(DBOPENF(dir.File("missing.F01"), fileNumber, ok), 2);
  EXPECT_EQ(fileNumber, 0);
  EXPECT_EQ(ok, 0);
  EXPECT_EQ(DBCREATE(dir.File("a.F01"), 3), kDbErrInvalidParameter);
  // A torn header (a crash while making the file) is completed.
  std::string torn = dir.Write("torn.F01", std::string(10, '\0'));
  ASSERT_EQ(DBCREATE(torn, 671), 0);
  EXPECT_EQ(SKFILESIZE(torn), 671);
  EXPECT_EQ(DBINDEX("C:\\DATA\\ARCHIVE.F01", 0), "C:\\DATA\\ARCHIVE.F01.K00");
  EXPECT_EQ(DBINDEX("C:\\DATA\\ARCHIVE.F01", 10), "C:\\DATA\\ARCHIVE.F01.K10");
  EXPECT_EQ(DBINDEX("C:\\DATA\\ARCHIVE.F01", 123), "C:\\DATA\\ARCHIVE.F01.K123");
  EXPECT_EQ(DBNAME("C:\\DATA\\ARCHIVE001.B01", 73), "C:\\DATA\\ARCHIVE001.I01");
  EXPECT_EQ(DBNAME("C:\\DATA\\ARCHIVE001.I01", 66), "C:\\DATA\\ARCHIVE001.B01");
  EXPECT_EQ(DBNAME("C:\\MY.DIR\\LIB", 73), "C:\\MY.DIR\\LIB.I");  // never the library itself
  EXPECT_FALSE(DBUSERNAME().empty());
}

TEST(RecordFile, FailedIndexTakesTheRecordBack) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  int fileNumber = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fileNumber, ok), 0);
  ASSERT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues("00000001", {"CAT"}), a.fields), 0);
  SKFCLOSE(fileNumber);
  // Damage topic index 3's header.
  CorruptByte(DBINDEX(a.f01, 3), 30);
  ASSERT_EQ(DBOPENF(a.f01, fileNumber, ok), 0);
  EXPECT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues("00000002", {"DOG"}), a.fields), kDbErrCorrupt);
  EXPECT_EQ(SKFLOF(fileNumber), 2 * 671);
  SKFCLOSE(fileNumber);
  {
    Index key(DBINDEX(a.f01, 0), 8);
    EXPECT_EQ(qBtKeyNbr(key.handle), 1);
    Index topic(DBINDEX(a.f01, 1), 40);
    EXPECT_EQ(qBtKeyNbr(topic.handle), 1);
  }
  // The record file is the truth: the indexes are made again from it.
  ASSERT_EQ(DbRebuildIndexes(a.f01, a.fields), 0);
  ASSERT_EQ(DBOPENF(a.f01, fileNumber, ok), 0);
  EXPECT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues("00000002", {"DOG"}), a.fields), 0);
  SKFCLOSE(fileNumber);
  Index topic3(DBINDEX(a.f01, 3), 40);
  EXPECT_EQ(qBtKeyNbr(topic3.handle), 2);
}

// A handle that filed before reads no pending-append mark while the file keeps the length
// it left, but still takes back what another handle left pending once the length moved.
TEST(RecordFile, AnAppendAfterAnotherHandlesFilingsLooksForItsInterruptedAppend) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  int mine = 0, other = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, mine, ok), 0);
  ASSERT_EQ(DBOPENF(a.f01, other, ok), 0);
  auto mark = [&] {
    std::string number(4, 'x');
    EXPECT_EQ(SKFGETAT(mine, 0, number), 0);
    return number;
  };
  ASSERT_EQ(DBCREF(a.f01, mine, ArchiveValues("00000001", {"CAT"}), a.fields), 0);
  // The other handle files record 3 whole but is cut short before clearing its mark.
  ASSERT_EQ(DBCREF(a.f01, other, ArchiveValues("00000002", {"DOG"}), a.fields), 0);
  ASSERT_EQ(SKFPUTAT(other, 0, std::string("\x03\0\0\0", 4)), 0);
  ASSERT_EQ(DBCREF(a.f01, mine, ArchiveValues("00000003", {"EMU"}), a.fields), 0);
  EXPECT_EQ(SKFLOF(mine), 3 * 671);
  EXPECT_EQ(mark(), std::string(4, '\0'));
  {
    Index key(DBINDEX(a.f01, 0), 8);
    EXPECT_EQ(qBtKeyNbr(key.handle), 2);
    std::string third = "00000003", second = "00000002";
    int32_t record = 0;
    ASSERT_EQ(qBtSearch(key.handle, third, record, key.status), 0);
    EXPECT_EQ(key.status, 0);
    EXPECT_EQ(record, 3);
    ASSERT_EQ(qBtSearch(key.handle, second, record, key.status), 0);
    EXPECT_EQ(key.status, kBtNoKey);
  }
  // A mark set for the next record with nothing written behind it: the length is the
  // one this handle left, and the record it names is filed and the mark cleared.
  ASSERT_EQ(SKFPUTAT(other, 0, std::string("\x04\0\0\0", 4)), 0);
  ASSERT_EQ(DBCREF(a.f01, mine, ArchiveValues("00000004", {"GNU"}), a.fields), 0);
  EXPECT_EQ(SKFLOF(mine), 4 * 671);
  EXPECT_EQ(mark(), std::string(4, '\0'));
  SKFCLOSE(other);
  SKFCLOSE(mine);
  Index key(DBINDEX(a.f01, 0), 8);
  EXPECT_EQ(qBtKeyNbr(key.handle), 3);
}

TEST(RecordFile, RebuildKeepsDeletedSlotsOutOfTopicIndexes) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  int fileNumber = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fileNumber, ok), 0);
  for (int i = 1; i <= 5; ++i) {
    ASSERT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues("0000000" + std::to_string(i), {"T" + std::to_string(i % 2)}),
                     a.fields), 0);
  }
  // Record 4 (key 00000003) marked deleted the way the topic editor does it.
  std::string record(671, ' ');
  ASSERT_EQ(SKFGETR(fileNumber, record, 4), 0);
  record.replace(0, 8, "////////");
  ASSERT_EQ(SKFPUTR(fileNumber, record, 4), 0);
  SKFCLOSE(fileNumber);
  int calls = 0;
  auto count = [](int, void* c) { ++*static_cast<int*>(c); };
  ASSERT_EQ(DbRebuildIndexes(a.f01, a.fields, count, &calls), 0);
  EXPECT_GT(calls, 0);
  Index key(DBINDEX(a.f01, 0), 8);
  EXPECT_EQ(qBtKeyNbr(key.handle), 5);
  std::string k = "////////";
  int32_t v = 0;
  int status = 0;
  ASSERT_EQ(qBtSearch(key.handle, k, v, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(v, 4);
  Index topic(DBINDEX(a.f01, 1), 40);
  EXPECT_EQ(qBtKeyNbr(topic.handle), 4);
  k = "T1";
  ASSERT_EQ(qBtSearch(topic.handle, k, v, status), 0);
  EXPECT_EQ(v, 2);
  ASSERT_EQ(qBtNext(topic.handle, k, v, status), 0);
  EXPECT_EQ(v, 6);  // record 4 (also T1) is not there
}

TEST(Counter, PatternsStepsAndDamage) {
  TempDir dir;
  const std::string cpt = dir.File("QORTWAIN.CPT");
  EXPECT_EQ(DBSEQUENCE(cpt, "TWN00000", 1), "TWN00001");
  EXPECT_EQ(DBSEQUENCE(cpt, "TWN00000", 1), "TWN00002");
  EXPECT_EQ(dir.Read("QORTWAIN.CPT"), "0000000002\r\n");
  EXPECT_EQ(DBSEQUENCE(cpt, "TWN00000", 3), "TWN00003");
  EXPECT_EQ(DBSEQUENCE(cpt, "TWN00000", 0), "TWN00006");
  // A pattern's own number is where counting starts.
  EXPECT_EQ(DBSEQUENCE(dir.File("b.cpt"), "K0000100", 1), "K0000101");
  EXPECT_EQ(DBSEQUENCE(dir.File("c.cpt"), "PAGE", 1), "PAGE1");
  // The number no longer fits: no name rather than a cut one.
  dir.Write("full.cpt", "99\r\n");
  EXPECT_EQ(DBSEQUENCE(dir.File("full.cpt"), "N00", 1), "");
  EXPECT_EQ(DBSEQUENCE(dir.File("full.cpt"), "N000", 1), "N100");
  // A damaged counter gives no name and is left as it is.
  dir.Write("bad.cpt", "12x4\r\n");
  EXPECT_EQ(DBSEQUENCE(dir.File("bad.cpt"), "00000000", 1), "");
  EXPECT_EQ(dir.Read("bad.cpt"), "12x4\r\n");
  EXPECT_EQ(DBSEQUENCE(dir.File("no folder\\x.cpt"), "00000000", 1), "");
}

namespace {

// Every pair of every index of the archive, index by index, walked in order.
std::map<int, std::vector<std::pair<std::string, int32_t>>> AllPairs(const Archive& a) {
  std::map<int, std::vector<std::pair<std::string, int32_t>>> all;
  for (int k = 0; k <= 10; ++k) {
    Index ix(DBINDEX(a.f01, k), k == 0 ? 8 : 40);
    EXPECT_EQ(ix.rc, 0) << k;
    std::string key;
    int32_t value = 0;
    int status = 0;
    for (int rc = qBtFirst(ix.handle, key, value, status); rc == 0 && status == 0;
         rc = qBtNext(ix.handle, key, value, status))
      all[k].push_back({key, value});
    EXPECT_EQ(qBtKeyNbr(ix.handle), int(all[k].size())) << k;
  }
  return all;
}

}  // namespace

// A rebuild writes each index page by page from its sorted pairs: the indexes hold the
// same pairs as the filings made them, deleted slots in the key index alone, whether all
// indexes are gathered from one read of the records or each from a read of its own; and
// filing goes on in them afterwards.
TEST(RecordFile, RebuiltIndexesHoldWhatTheFilingsFiled) {
  TempDir dir;
  Archive a(dir);
  ASSERT_EQ(DBCREATE(a.f01, 671), 0);
  int fileNumber = 0, ok = 0;
  ASSERT_EQ(DBOPENF(a.f01, fileNumber, ok), 0);
  DbBeginBatch();
  // Enough records for branch pages in every index; few topic words: long runs of one key.
  for (int i = 1; i <= 700; ++i) {
    std::vector<std::string> topics;
    for (int t = 0; t < 1 + i % 4; ++t) topics.push_back("WORD" + std::to_string((i * 7 + t * 13) % 9));
    ASSERT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues(DBSEQUENCE(a.cpt, "00000000", 1), topics), a.fields), 0) << i;
  }
  ASSERT_EQ(DbEndBatch(), 0);
  // Record 41 marked deleted the way the topic editor does it: its topics leave the
  // topic indexes, its "/" key stays in the key index.
  std::string record(671, ' ');
  ASSERT_EQ(SKFGETR(fileNumber, record, 41), 0);
  auto filed = AllPairs(a);
  for (int k = 1; k <= 10; ++k) {
    std::string key = record.substr(size_t(a.fields[size_t(10 + k)].position - 1), 40);
    auto& pairs = filed[k];
    pairs.erase(std::remove(pairs.begin(), pairs.end(), std::make_pair(key, int32_t(41))), pairs.end());
  }
  std::string key0 = record.substr(0, 8);
  auto& keys = filed[0];
  keys.erase(std::remove(keys.begin(), keys.end(), std::make_pair(key0, int32_t(41))), keys.end());
  keys.insert(std::lower_bound(keys.begin(), keys.end(), std::make_pair(std::string("////////"), int32_t(41))),
              {"////////", 41});
  record.replace(0, 8, "////////");
  ASSERT_EQ(SKFPUTR(fileNumber, record, 41), 0);
  SKFCLOSE(fileNumber);
  ASSERT_EQ(filed[0].size(), 700u);
  ASSERT_EQ(filed[1].size(), 699u);

  ASSERT_EQ(DbRebuildIndexes(a.f01, a.fields), 0);
  EXPECT_EQ(AllPairs(a), filed);
  db::SetRebuildBudget(1);  // an index a read
  int calls = 0, lastPercent = -1;
  bool rising = true;
  struct Seen { int* calls; int* last; bool* rising; } seen{&calls, &lastPercent, &rising};
  auto progress = [](int percent, void* context) {
    auto* s = static_cast<Seen*>(context);
    ++*s->calls;
    *s->rising = *s->rising && percent > *s->last && percent <= 100;
    *s->last = percent;
  };
  int rc = DbRebuildIndexes(a.f01, a.fields, progress, &seen);
  db::SetRebuildBudget(0);
  ASSERT_EQ(rc, 0);
  EXPECT_EQ(AllPairs(a), filed);
  EXPECT_TRUE(rising) << "the progress went back";
  EXPECT_EQ(lastPercent, 100);
  EXPECT_GT(calls, 50);

  ASSERT_EQ(DBOPENF(a.f01, fileNumber, ok), 0);
  ASSERT_EQ(DBCREF(a.f01, fileNumber, ArchiveValues(DBSEQUENCE(a.cpt, "00000000", 1), {"WORD3"}), a.fields), 0);
  SKFCLOSE(fileNumber);
  auto after = AllPairs(a);
  EXPECT_EQ(after[0].size(), 701u);
  EXPECT_EQ(after[1].size(), 700u);
  std::string problem;
  EXPECT_EQ(db::CheckRecordFile(a.f01, a.fields, problem), 0) << problem;
}
