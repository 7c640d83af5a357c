// The clipboard, screen capture and cropping to the selection.
#pragma once
namespace bravik {

void CopyToClipboard();
void PasteFromClipboard();
// kCmdCaptureScreen, kCmdCaptureActive or kCmdCaptureClicked.
void CapturePicture(int command);
void CropToSelection();

}  // namespace bravik
