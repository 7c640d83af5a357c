// Closing the picture tool: the settings written, a partner it started told to end, its
// temporary files removed.
#pragma once
namespace bravik {

// The main window's close request (WM_SYSCOMMAND SC_CLOSE): the save question first.
void OnClose();
// Everything that goes before the tool ends: settings, the partner's code 10.
void PrepareToEnd();
// Code 10 to the partner of UI entry 40 when the tool started it.
void CloseStartedPartner();
// The temporary files that only this run of the tool uses.
void RemoveTemporaryFiles();

}  // namespace bravik
