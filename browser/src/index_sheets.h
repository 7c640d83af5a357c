// Index sheets of the selected pictures (commands 801 to 807, 1400 to 1499): 24-bit BMP
// pages of framed thumbnails with a footer, saved under the next free "QORCTnnn.bmp".
#pragma once

namespace kelmor {

void INDEXSHEETS(int command);
// -1 when the names option (command 809) is checked, else 0.
int SHEETNAMESON();

}  // namespace kelmor
