// The media browser's four modal boxes, which the slide show maker links too: the list-file
// box "PICKFILE", the picture-type box "PICTURETYPE", the target-folder box "TARGETBOX" and
// the size box "NEWSIZEBOX". Each runs on the shared runner (controls/modal_box.h): its
// store is filled before the box is made, the box writes its answer into it when a button
// is pressed, and the runner reads it back. A box closed in another way (its close button,
// Escape, the end of the program) answers 0 and hands nothing back. The boxes never read a
// program's state: their texts come in as arguments.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace kelmor {

inline constexpr const char* kPickFileClass = "PICKFILE";
inline constexpr const char* kPictureTypeClass = "PICTURETYPE";
inline constexpr const char* kTargetBoxClass = "TARGETBOX";
inline constexpr const char* kNewSizeClass = "NEWSIZEBOX";

// The stores: one text and two numbers (the result and one value); store not 0 writes the
// arguments into the store, 0 reads the store into them. The picture-type and target-folder
// boxes share BOXPARAMS; the list-file box has its own.
void BOXPARAMS(std::string& text, int32_t& result, int32_t& value, int store);
void PICKFILEPARAMS(std::string& text, int32_t& result, int32_t& value, int store);
// The size box's store: width, height, a text, the result and the keep-proportions flag.
void NEWSIZEPARAMS(int32_t& width, int32_t& height, std::string& text, int32_t& result, int32_t& keep, int store);

// Where the list files are: the working folder (with its final "\") and their extension.
// The slide show maker runs the same box under its own class, and in open mode shows the
// name that goes in (or that name with the extension) chosen, else the first file.
struct ListFiles {
  std::string folder;
  std::string extension;
  const char* className = kPickFileClass;
  bool choosePreset = false;
};

// The list-file box: the names of folder + "*" + extension in a combo box (the typed name
// at most ListNameLimit long). saveMode 0 opens (only listed names; a double click is the
// first button), 1 saves (name preset, editable). Answers 1, 2 or 3 for the buttons of
// "first|second|third"; name: the combo box's text for 1, for 2 in open mode, else "".
int PICKFILEBOX(HWND owner, const std::string& caption, const std::string& buttons, std::string& name, int saveMode,
                const ListFiles& files);

// The picture-type box: choice goes in as the "label|value" list and comes back as the
// value of the chosen entry ("" when none was chosen). Answers 1 for the first button or a
// double click, 2 for the second.
int PICTURETYPEBOX(HWND owner, const std::string& caption, const std::string& buttons, std::string& choice);

// The texts of the target box's new-folder question.
struct TargetBoxTexts {
  std::string title;        // the input box's caption
  std::string promptTail;   // after the second button's caption, upper-cased
  std::string inputButtons;
};
// The target-folder box over the folder tree, centred on the owner; its caption shows the
// selected folder. folder: in the preset, out the chosen folder (1) or the typed path of the
// folder to create (2). Answers 1 choose, 2 new folder, 3 cancel. className: the window
// class the box runs under (the slide show maker's target-folder window is this box under
// a class of its own).
int RUNTARGETBOX(HWND owner, const std::string& buttons, std::string& folder, const TargetBoxTexts& texts,
                 const char* className = kTargetBoxClass);
// The target box's window procedure, the one of every class it runs under.
LRESULT CALLBACK TARGETBOXPROC(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// The texts and icon of the size box.
struct NewSizeTexts {
  std::string caption;      // "&" marks are dropped
  std::string keepLabel;
  std::string widthLabel;
  std::string heightLabel;
  std::string buttons;      // "cancel|accept"
  HICON icon = nullptr;     // drawn 32 x 32 at the top
};
// The size box: width, height and keep (not 0: keep the proportions) go in as presets.
// Answers 2 (accept) with the typed width and height and the flag; 1 (cancel) with width
// and height 0 and the flag; 0 when closed otherwise (nothing changes).
int RUNNEWSIZEBOX(HWND owner, const NewSizeTexts& texts, int& width, int& height, int& keep);

}  // namespace kelmor
