// The slide list: its entries (picture paths with their thumbnails as item data), the
// running totals of the show, the current slide and the list's editing commands.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "state.h"

namespace dunmere {

int SlideCount();
std::string SlideText(int index);
std::vector<std::string> SlidePaths();
// Selected entries, ascending.
std::vector<int> SelectedSlides();
std::vector<std::string> SelectedPaths();
// The current slide: the entry with the caret when it is selected, else the first
// selected one; -1 when nothing is selected.
int CurrentSlide();

// A picture's size and files with its side files (kwd, wav, sfx, tim).
Tally COMPANIONSIZE(const std::string& path);
// Adds every path that exists and that the list does not hold yet; returns how many.
int AddSlides(const std::vector<std::string>& paths);
// Empties the list, the thumbnail cache and the held slides; the show's tally goes to 0.
void EmptySlideList();

// The status label: the slide count (SHOWCOUNTERS), and the show's total.
void SHOWCOUNTERS();
void ShowTotal();
void SetStatus(const std::string& text);
std::string StatusText();

// A new selection in the slide list: the current slide's text, sound, effect and preview.
void ShowCurrentSlide();
// Clears the text field and the preview and forgets the current slide.
void ClearCurrentSlide();

void RemoveSelectedSlides();   // kCmdRemoveSlides
void SelectAllSlides();        // kCmdSelectAll
void InvertSelection();        // kCmdInvertSelection
void SelectNoSlides();         // kCmdSelectNone
void CutSlides();              // kCmdCut
void PasteSlides();            // kCmdPaste
// Alt with an arrow key: moves the selected slides; true when they moved.
bool MoveSlides(UINT virtualKey);

}  // namespace dunmere
