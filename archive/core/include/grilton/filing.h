// Filing a picture into the archive: its items go into the media library, then its
// record is appended. Portable; the window side gathers the form and shows the outcome.
//
// A filing is whole or absent: the items it stored are listed in a pending file in the
// data folder before each is stored, and the pending file goes once the record is
// written. A filing that failed takes its items out again; one that was killed leaves
// its pending file, and RecoverInterruptedFilings (at start) takes its items out.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/db.h"

namespace grilton {

// Where an archive's files are.
struct ArchivePlace {
  std::string dataFolder;    // with its trailing "\"
  std::string baseName;      // UI entry 21
  std::string workFolder;    // UI entry 66, expanded
  std::string keyPattern;    // UI entry 14
  std::string templatePath;  // program folder + UI entry 62; "" for none

  std::string RecordFile() const;   // <data><base>.F01
  std::string CounterFile() const;  // <data><base>.CPT
  std::string TitleFile() const;    // <data><base>.TIT
  std::string Library() const;      // <data><lib>.B01
  std::string PendingFolder() const;  // <data><base>.PND\, the pending files of running filings
};

// The outcome of checking the form before filing.
enum class FormProblem { None, BadDate, NoTopic };
struct FormCheck {
  FormProblem problem = FormProblem::None;
  int field = 0;  // 1-based field that stopped the filing (BadDate)
};
// Field by field in form order: a date field holds nothing or a real complete date; a
// flag field with any text becomes "X"; a record needs at least one topic field (flag 1)
// holding a text other than the placeholder.
FormCheck CheckForm(const std::vector<DBFIELD>& fields, std::vector<std::string>& values,
                    const std::string& placeholder, bool dayFirst);

// The next key the counter will give (step 0): shown in field 1 before filing.
std::string PlannedKey(const ArchivePlace& place);
// The three item names of a key: "<key>.DOC", "<key>.WAV", "<key>.QMF".
std::string DocumentItem(std::string_view key);
std::string SoundItem(std::string_view key);
std::string LayeredItem(std::string_view key);
// The picture's item: the key with the picture's extension ("JPEG" as "JPG").
std::string PictureItem(std::string_view key, std::string_view picturePath);

struct FilingRequest {
  std::string picturePath;
  // The record's field texts in form order, as checked by CheckForm. Field 1 (the key),
  // the user and the three item names are filled in by the filing.
  std::vector<std::string> values;
  std::vector<DBFIELD> fields;
  int topicSlots = 10;
  // The planned document name shown in field n+16 ("00000042.DOC"): the work files of the
  // picture carry it, whatever key the filing then takes.
  std::string plannedDocument;
};

enum class FilingStage {
  Done,
  CreateFailed,   // the record file cannot be made
  OpenFailed,     // the record file cannot be opened for writing
  NoKey,          // the counter gave no key
  StoreFailed,    // an item could not be stored (failedFile names its file)
  RecordFailed,   // the record could not be appended
};

struct FilingResult {
  FilingStage stage = FilingStage::Done;
  int code = 0;                 // 0 or the database or Windows error number
  std::string key;              // the key taken (also on most failures)
  std::string failedFile;       // StoreFailed: the file being stored
  std::vector<std::string> items;  // items stored (Done)
  bool documentStored = false;
  bool documentDropped = false;  // the work document equalled the template and was deleted
  bool soundStored = false;
  bool layeredStored = false;
  std::vector<std::string> record;  // the record's field texts as appended (Done)
};

FilingResult FilePicture(const ArchivePlace& place, const FilingRequest& request);

// Takes out the items of filings that were interrupted (their pending file remains and no
// program is filing with it); a filing whose record was written keeps them. Returns the
// number of filings taken back.
int RecoverInterruptedFilings(const ArchivePlace& place, const std::vector<DBFIELD>& fields);

}  // namespace grilton
