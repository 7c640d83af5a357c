// Web index pages of the selected pictures (commands 901 to 907): pages of thumbnails with
// the picture names, written with their JPEG thumbnails into a chosen folder, then offered
// to the partner.
#pragma once

namespace kelmor {

void MakeWebPages(int command);

}  // namespace kelmor
