// Printing and the print preview: commands 3 (print), 4 (preview) and 101 (printer set-up),
// PRINTPICTURES over the page layouts and PRINTPAGE for one layout.
#pragma once

namespace hessam {

void OnPrintCommand(int command);
void PRINTPICTURES(bool preview);
// One page layout (1 to 4): printed as a document of its own, or shown in the preview.
void PRINTPAGE(int layout, bool preview);

}  // namespace hessam
