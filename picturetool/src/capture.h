// The clipboard, screen capture and cropping to the selection.
#pragma once
#include <windows.h>

namespace bravik {

void CopyToClipboard();
void PasteFromClipboard();
// Empties the clipboard.
void CLEARCLIPBOARD(HWND window);
// kCmdCaptureScreen, kCmdCaptureActive or kCmdCaptureClicked.
void CapturePicture(int command);
void CropToSelection();

}  // namespace bravik
