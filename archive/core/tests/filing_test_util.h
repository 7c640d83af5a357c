// An archive in a test folder and the form values of a picture, for the filing tests and
// their worker program.
#pragma once
#include <string>
#include <vector>

#include "db/archive.h"
#include "db/db.h"
#include "grilton/filing.h"

inline constexpr int kSlots = 10;
inline constexpr const char* kPlaceholder = "(none)";

inline grilton::ArchivePlace TestPlace(const std::string& folder) {
  grilton::ArchivePlace place;
  place.dataFolder = folder;
  place.baseName = "QORIMAGE";
  place.workFolder = folder + "WORK\\";
  place.keyPattern = "00000000";
  place.templatePath = folder + "TEMPLATE.DOC";
  return place;
}

// The form of a picture as the window fills it, with one topic.
inline grilton::FilingRequest TestRequest(const std::string& picture, const std::string& topic,
                                          const std::string& plannedDocument = "") {
  grilton::FilingRequest r;
  r.picturePath = picture;
  r.fields = db::ArchiveFields(kSlots, 2024, 5);
  r.topicSlots = kSlots;
  r.values.assign(r.fields.size(), "");
  r.values[1] = "NAME";
  r.values[2] = "05-31-2024";
  r.values[3] = "JPG";
  r.values[4] = "24";
  r.values[5] = "-1";
  r.values[6] = "640";
  r.values[7] = "480";
  r.values[8] = "1234";
  r.values[9] = "2024";
  r.values[10] = "5";
  for (int k = 0; k < kSlots; ++k) r.values[size_t(11 + k)] = kPlaceholder;
  r.values[11] = topic;
  r.values[size_t(kSlots + 12 - 1)] = "free text";
  r.values[size_t(kSlots + 14 - 1)] = "STANDARD";
  r.plannedDocument = plannedDocument;
  return r;
}
