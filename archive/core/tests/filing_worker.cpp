// Test helper: one program filing pictures into an archive while others do the same or
// while the test kills it. grilton_filing_worker FOLDER WORKER COUNT READYFILE GOFILE
// It takes back interrupted filings as the archive does at start, reports that it is
// ready, waits for the go file, then files COUNT pictures "W<worker>P<i>.JPG" (skipping
// those filed already), each with a sound comment in its own work folder. Exit code 0
// when every picture was filed.
#include <chrono>
#include <cstdio>
#include <string>

#include "filing_test_util.h"
#include "fileio/file.h"
#include "grilton/filing.h"
#include "wait_until.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: grilton_filing_worker FOLDER WORKER COUNT READY GO\n");
    return 2;
  }
  const std::string folder = argv[1], worker = argv[2], ready = argv[4], go = argv[5];
  const int count = std::stoi(argv[3]);
  grilton::ArchivePlace place = TestPlace(folder);
  place.workFolder = folder + "WORK" + worker + "\\";
  const std::string pictures = folder + "PICS" + worker + "\\";
  if (fileio::MakeDirectories(place.workFolder) != 0 || fileio::MakeDirectories(pictures) != 0) return 3;
  grilton::RecoverInterruptedFilings(place, TestRequest("", "").fields);
  fileio::File readyFile;
  if (readyFile.Open(ready, fileio::Access::WriteNew) != 0) return 3;
  readyFile.Close();
  if (!WaitUntil([&] { return fileio::Exists(go); }, std::chrono::seconds(60), std::chrono::milliseconds(1))) return 3;
  for (int i = 0; i < count; ++i) {
    const std::string name = "W" + worker + "P" + std::to_string(i);
    const std::string picture = pictures + name + ".JPG";
    const std::string filed = pictures + name + ".FILED";
    if (fileio::Exists(filed)) continue;
    // The window drops a filed picture from its list; the worker marks it. A kill between
    // the record and the mark files the picture again, as a user would after a crash.
    std::string content = "picture of " + name;
    if (fileio::WriteFileReplacing(picture, content) != 0) return 4;
    const std::string planned = grilton::DocumentItem(grilton::PlannedKey(place));
    std::string sound = "sound of " + name;
    if (fileio::WriteFileReplacing(place.workFolder + planned.substr(0, planned.find('.')) + ".WAV", sound) != 0)
      return 4;
    grilton::FilingRequest request = TestRequest(picture, "WORKER" + worker, planned);
    request.values[1] = name;
    grilton::FilingResult r = grilton::FilePicture(place, request);
    if (r.stage != grilton::FilingStage::Done) {
      std::fprintf(stderr, "%s: stage %d code %d\n", name.c_str(), int(r.stage), r.code);
      return 5;
    }
    fileio::File mark;
    if (mark.Open(filed, fileio::Access::WriteNew) != 0) return 4;
  }
  return 0;
}
