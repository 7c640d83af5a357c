// The editor killed at random moments during saves, deletes and rebuilds: after each kill
// the next start finds every record as it was before or after its last change, each live
// key once, nothing lost, and every index pair in step with the records.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "lumbric/records.h"
#include "topics_test_util.h"
#include "stress_count.h"

namespace {


std::string KeyOf(int n) {
  std::string digits = std::to_string(n);
  return "K" + std::string(5 - std::min<size_t>(5, digits.size()), '0') + digits;
}

// What the checker expects of each key: the value of topic slots 2 and 3 once saved, or
// deleted.
struct KeyState {
  int number = 0;  // n of KeyOf and of topic 1 "Tn"
  std::string value = "(none)";
  bool deleted = false;
};

// The change a worker's log shows begun but not returned ("" when none).
struct Log {
  std::vector<std::string> done;  // whole changes: "S key value", "D key", "R"
  std::string open;
};

Log ReadLog(const std::string& path) {
  Log log;
  std::istringstream in(FileBytes(path));
  std::string line;
  while (std::getline(in, line)) {
    if (in.eof()) break;  // a line the kill cut short: nothing of its change was started
    if (line.rfind("B ", 0) == 0) {
      log.open = line.substr(2);
    } else if (line == "E" && !log.open.empty()) {
      log.done.push_back(log.open);
      log.open.clear();
    }
  }
  return log;
}

void Apply(std::map<std::string, KeyState>& keys, const std::string& change) {
  std::istringstream words(change);
  std::string kind, key, value;
  words >> kind >> key >> value;
  auto it = keys.find(key);
  if (it == keys.end()) return;
  if (kind == "D") it->second.deleted = true;
  if (kind == "S") it->second.value = value;
}

std::string ExpectedRecord(const std::string& key, const KeyState& s, const std::vector<DBFIELD>& fields) {
  std::string record(size_t(kLength), ' ');
  DBWRITF(kLength, record, ArchiveValues(key, {"T" + std::to_string(s.number), s.value, s.value}), fields);
  return record;
}

std::string Trimmed(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

// Checks the archive against the keys' states; the change left open may be found done or
// not, and the states then take what was found.
// Records whose keys do not start with "K" are a filer's: counted in `filed`, each once.
void Check(const std::string& f01, const std::vector<DBFIELD>& fields, std::map<std::string, KeyState>& keys,
           const std::string& open, int round, int* filed = nullptr) {
  ASSERT_EQ(lumbric::FinishInterruptedRebuild(f01, fields), 0) << round;
  ASSERT_EQ(DbFinishInterruptedAppend(f01, fields), 0) << round;
  EXPECT_FALSE(fileio::Exists(f01 + ".JNL")) << round;
  const std::string bytes = FileBytes(f01);
  ASSERT_EQ(bytes.size() % kLength, 0u) << round;
  ASSERT_GE(bytes.size(), size_t(kLength));
  EXPECT_EQ(bytes.substr(0, 4), std::string(4, '\0')) << round;
  std::vector<db::IndexLayout> layouts;
  ASSERT_EQ(db::IndexLayouts(fields, layouts), 0);
  std::vector<std::vector<std::pair<std::string, int>>> expected(layouts.size());
  std::map<std::string, KeyState> openDone = keys;
  if (!open.empty()) Apply(openDone, open);
  std::map<std::string, int> seen;
  for (size_t at = kLength; at < bytes.size(); at += kLength) {
    const int number = int(at / kLength) + 1;
    const std::string record = bytes.substr(at, kLength);
    const std::string key = Trimmed(record.substr(0, 8));
    expected[0].emplace_back(Trimmed(record.substr(0, 8)), number);
    if (record[0] == '/') continue;
    ASSERT_TRUE(seen.emplace(key, number).second) << "round " << round << ": " << key << " twice";
    for (size_t i = 1; i < layouts.size(); ++i) {
      const DBFIELD& f = fields[layouts[i].field];
      expected[i].emplace_back(Trimmed(record.substr(size_t(f.position - 1), size_t(f.width))), number);
    }
    if (filed && key[0] != 'K') {
      ++*filed;
      continue;
    }
    ASSERT_TRUE(keys.count(key)) << "round " << round << ": unknown key " << key << " in record " << number;
    const KeyState& before = keys[key];
    const KeyState& after = openDone[key];
    const bool isBefore = !before.deleted && record == ExpectedRecord(key, before, fields);
    const bool isAfter = !after.deleted && record == ExpectedRecord(key, after, fields);
    ASSERT_TRUE(isBefore || isAfter) << "round " << round << ": record " << number << " (" << key
                                     << ") is neither as before nor as after its change";
    keys[key] = isBefore ? before : after;
  }
  for (auto& [key, state] : keys) {
    if (seen.count(key)) continue;
    // Gone: deleted before, or by the change the kill cut short.
    ASSERT_TRUE(state.deleted || openDone[key].deleted) << "round " << round << ": " << key << " lost";
    state.deleted = true;
  }
  for (size_t i = 0; i < layouts.size(); ++i) {
    std::sort(expected[i].begin(), expected[i].end());
    const int width = fields[layouts[i].field].width;
    ASSERT_EQ(Pairs(DBINDEX(f01, layouts[i].number), width), expected[i]) << "round " << round << " index " << i;
  }
}

// Records K00001 .. in a new archive, one batch.
void MakeArchive(const std::string& f01, const std::vector<DBFIELD>& fields, int records,
                 std::map<std::string, KeyState>& keys) {
  ASSERT_EQ(DBCREATE(f01, kLength), 0);
  int fileNumber = 0, ok = 0;
  ASSERT_EQ(DBOPENF(f01, fileNumber, ok), 0);
  DbBeginBatch();
  for (int n = 1; n <= records; ++n) {
    keys[KeyOf(n)].number = n;
    ASSERT_EQ(DBCREF(f01, fileNumber, ArchiveValues(KeyOf(n), {"T" + std::to_string(n)}), fields), 0);
  }
  ASSERT_EQ(DbEndBatch(), 0);
  SKFCLOSE(fileNumber);
}

// The log's whole changes go into the keys' states; counts where the kill came.
void TakeLog(const Log& log, std::map<std::string, KeyState>& keys, int& inSave, int& inDelete, int& inRebuild,
             int& between) {
  for (const auto& change : log.done) Apply(keys, change);
  if (log.open.empty()) {
    ++between;
  } else {
    ++(log.open[0] == 'S' ? inSave : log.open[0] == 'D' ? inDelete : inRebuild);
  }
}

// SUITE_KILL_ROUNDS and SUITE_KILL_RECORDS raise the counts for a local run (50 and
// 10000 for the full check); ctest passes on only the rounds, which its limit is set from,
// so the records are raised in a run of the program itself.
TEST(EditorKills, SavesDeletesAndRebuildsKilledAtRandomMomentsLeaveEveryRecordOldOrNew) {
  const int rounds = StressCount("SUITE_KILL_ROUNDS", 8);
  const int records = StressCount("SUITE_KILL_RECORDS", 1500);
  TempDir dir;
  const std::string f01 = dir.File("ARCHIVE.F01");
  const auto fields = db::ArchiveFields(10, 2024, 5);
  std::map<std::string, KeyState> keys;
  ASSERT_NO_FATAL_FAILURE(MakeArchive(f01, fields, records, keys));
  // A rebuild run whole first: how long one takes sets the moments of the kills in it.
  std::chrono::milliseconds rebuildMs{};
  {
    WorkerProcess worker;
    ASSERT_TRUE(worker.Start("lumbric_edit_worker", {f01, dir.File("log0"), dir.File("ready0"), "1", "1", "0"}));
    ASSERT_TRUE(WaitUntil([&] { return fileio::Exists(dir.File("ready0")); }, std::chrono::seconds(120),
                          std::chrono::milliseconds(1)));
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(worker.Wait(300000), 0);
    rebuildMs = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  }
  Check(f01, fields, keys, "", 0);

  std::mt19937 random(20261209);
  int inSave = 0, inDelete = 0, inRebuild = 0, between = 0, changes = 0, journals = 0, putting = 0;
  for (int round = 1; round <= rounds && !HasFailure(); ++round) {
    const bool rebuild = round % 3 == 1;
    const std::string log = dir.File("log" + std::to_string(round)), ready = dir.File("ready" + std::to_string(round));
    WorkerProcess worker;
    ASSERT_TRUE(worker.Start("lumbric_edit_worker",
                             {f01, log, ready, std::to_string(round), rebuild ? "1" : "0", "1000000"}));
    ASSERT_TRUE(WaitUntil([&] { return fileio::Exists(ready); }, std::chrono::seconds(120),
                          std::chrono::milliseconds(1)));
    // Every other rebuild is killed near its end, where it puts its files in place.
    const int whole = int(rebuildMs.count());
    const int from = rebuild && round % 2 == 0 ? whole * 4 / 5 : 0;
    const int window = rebuild ? whole + 10 - from : 60;
    std::this_thread::sleep_for(std::chrono::milliseconds(from + int(random() % uint32_t(window))));
    worker.Kill();
    // What the next start has to complete: a rewrite journal, a rebuild's files half put in place.
    journals += fileio::Exists(f01 + ".JNL");
    putting += fileio::Exists(f01 + ".NEW.OK");
    const Log seen = ReadLog(log);
    changes += int(seen.done.size());
    TakeLog(seen, keys, inSave, inDelete, inRebuild, between);
    Check(f01, fields, keys, seen.open[0] == 'R' ? "" : seen.open, round);
  }
  std::cout << "kills: " << rounds << " over " << records << " records; in a save " << inSave << ", in a delete "
            << inDelete << ", in a rebuild " << inRebuild << ", between changes " << between << "; changes made "
            << changes << "; journals left " << journals << ", rebuilds left half put in place " << putting
            << "; one whole rebuild " << rebuildMs.count() << " ms\n";
  EXPECT_GT(inSave + inDelete + inRebuild, 0);
}

// The editor killed in its saves and deletes while a filer appends records: a change the
// kill cut short is completed by the next start (or this check) whatever the filer
// appended meanwhile, and every filing is there once, in step with the indexes.
TEST(EditorKills, AFilerFilingMeanwhileLosesNothing) {
  const int rounds = std::max(2, StressCount("SUITE_KILL_ROUNDS", 8) / 2);
  const int perRound = 60;
  TempDir dir;
  const std::string f01 = dir.File("ARCHIVE.F01");
  const auto fields = db::ArchiveFields(10, 2024, 5);
  std::map<std::string, KeyState> keys;
  ASSERT_NO_FATAL_FAILURE(MakeArchive(f01, fields, 300, keys));
  std::mt19937 random(77);
  int inSave = 0, inDelete = 0, inRebuild = 0, between = 0;
  for (int round = 1; round <= rounds && !HasFailure(); ++round) {
    const std::string r = std::to_string(round), log = dir.File("log" + r), ready = dir.File("ready" + r);
    WorkerProcess filer, editor;
    ASSERT_TRUE(filer.Start("db_append_worker", {f01, dir.File("ARCHIVE.CPT"), r, std::to_string(perRound),
                                                 dir.File("filer" + r), dir.File("go" + r)}));
    ASSERT_TRUE(editor.Start("lumbric_edit_worker", {f01, log, ready, r, "0", "1000000"}));
    ASSERT_TRUE(WaitUntil([&] { return fileio::Exists(ready) && fileio::Exists(dir.File("filer" + r)); },
                          std::chrono::seconds(120), std::chrono::milliseconds(1)));
    dir.Write("go" + r, "");
    std::this_thread::sleep_for(std::chrono::milliseconds(5 + random() % 80));
    editor.Kill();
    ASSERT_EQ(filer.Wait(120000), 0) << "round " << round;
    const Log seen = ReadLog(log);
    TakeLog(seen, keys, inSave, inDelete, inRebuild, between);
    int filed = 0;
    Check(f01, fields, keys, seen.open, round, &filed);
    EXPECT_EQ(filed, perRound * round) << "round " << round;
  }
  std::cout << "kills with a filer: " << rounds << "; in a save " << inSave << ", in a delete " << inDelete
            << ", between changes " << between << "\n";
}

}  // namespace
