// The picture and file commands of the file list beyond the transforms: opening files in
// their associated programs (701), the size box before a resize (707), converting pictures
// to another type (710) and renaming files to a numbered series (711).
#pragma once
#include <string>
#include <vector>

namespace kelmor {

// 701: each selected file in the program Windows associates with it; the browser waits,
// minimised, until they are closed.
void OpenInAssociatedPrograms();
// Opens each "program|file|index" item and waits for the first process of the watched
// editor and the first of any other program; command messages of partners are answered
// meanwhile.
void OPENINEDITOR(const std::vector<std::string>& openList);
// 707: the size box, then a resize of the selected pictures with the accepted size.
void ResizeSelectedPictures();
// 710 and 711: run to their end, pumping messages before each file (Escape asks to stop, a
// close stops and takes place afterwards).
void ConvertSelectedPictures();
void RenameSelectedAsSeries();

}  // namespace kelmor
