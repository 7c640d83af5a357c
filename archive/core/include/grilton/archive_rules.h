// The archive program's portable rules: its settings line, the folders its UI entries
// name, the fields it fills from a picture, and the dates a date field accepts.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace grilton {

// The settings line: eight "|"-separated fields.
struct ArchiveSettings {
  int left = 0;
  int top = 0;
  int width = 808;
  int height = 608;
  std::string startFolder;           // listed when the command line names none
  std::string thesaurus = "STANDARD";
  int recordingChoice = 0;           // action value of the options group 401 .. 412
  int displayStyle = 1;              // recording display, 1 .. 6
};

// Defaults: 808 x 608 centred on the screen (never left of or above 0), the Windows
// folder, "STANDARD", the recording choice of UI entry 71.
ArchiveSettings DefaultSettings(int screenWidth, int screenHeight, const std::string& windowsFolder,
                                int defaultRecordingChoice);
// A missing or empty line gives the defaults; each empty or unreadable field keeps its
// default (an empty sixth field: "STANDARD"; a recording choice of 0: the default).
ArchiveSettings ParseSettingsLine(std::string_view line, const ArchiveSettings& defaults);
std::string FormatSettingsLine(const ArchiveSettings& settings);
// Display styles run 1 .. 6; anything else is taken as 1.
int ClampDisplayStyle(int style);

// A folder of a UI entry or "NET.CFG": "@path@" (any case) replaced by the program
// folder, upper-cased, with exactly one trailing "\". "" stays "".
std::string ExpandFolderEntry(std::string_view entry, const std::string& programFolder);

// The temporary picture: temporary folder + first three letters of the program's file
// name, upper-cased, + "CONV.BMP".
std::string TemporaryPicturePath(const std::string& tempFolder, const std::string& programFile);

// Fields 2 and 4 from a picture's path: the name without folder and extension, and the
// extension, both upper-cased; "JPEG" is stored as "JPG".
struct PictureNameFields {
  std::string name;
  std::string extension;
};
PictureNameFields NameFieldsOf(std::string_view path);

// The filing date shown in a date field: "MM-DD-YYYY", or for a French interface
// "DD<sep>MM<sep>YYYY".
std::string FilingDate(int year, int month, int day, bool french, char separator);
// A date field holds nothing or a complete, real date (one that the record stores as
// eight digits YYYYMMDD).
bool IsAcceptableDate(std::string_view text, bool dayFirst);

// The work document and work sound of a planned item name ("00000042.DOC"): the work
// folder + that name, and the work folder + the name up to its first "." + ".WAV".
std::string WorkDocumentPath(const std::string& workFolder, std::string_view documentItem);
std::string WorkSoundPath(const std::string& workFolder, std::string_view documentItem);

// The picture's layered side file: its path with the extension replaced by ".QMF".
std::string LayeredPicturePath(std::string_view picturePath);

// UI entry 81 "program,class" of the help viewer.
struct HelpViewer {
  std::string program;
  std::string windowClass;
};
HelpViewer ParseHelpViewer(std::string_view entry);
// The command line that starts the help viewer: program, a blank, the document and ",".
std::string HelpViewerCommandLine(const std::string& program, const std::string& document);

// Documents.
// The program part of a registered open command: the text between the first pair of
// double quotes when the command starts with one, else the text before the first blank.
std::string ProgramOfCommand(std::string_view command);
// A "|"-separated list of name and pattern pairs in the open dialog's form: each text
// ended by a zero byte, the whole ended by one more.
std::string OpenDialogFilter(std::string_view pairs);
// The name with its extension replaced (a name without one gets it appended).
std::string WithExtension(std::string_view name, std::string_view extension);

}  // namespace grilton
