// The slide show (command 201) and the tiled show (commands 203 and 204) over the picture
// list in the zoom window, paced by SHOWPUMP; the file-name option (206, 207).
#pragma once

namespace hessam {

void SlideShow();
void TiledShow(int command);
// Takes at most one keyboard and one mouse message from the queue and acts on them; stands
// still while the show is paused. True when the show is to stop.
bool SHOWPUMP();
void SetFileNames(bool on);

}  // namespace hessam
