// The record's document: the word processor registered for ".doc", picking a document in
// the open dialog (skinned, centred), and commands 80 and 81.
#pragma once
#include <windows.h>

#include <string>

namespace grilton {

// The program registered to open files of the extension ("doc"); "" on any failure.
std::string RegisteredApplication(const std::string& extension);
// The open dialog with the archive's hook; the chosen path or "".
std::string PickDocument(HWND owner);
// Command 80: opens the work document (made from the template when missing) in the
// registered program and waits for it.
void OpenDocument();
// Command 81: copies a picked document to the work document.
void AttachDocument();
// Buttons 80 and 81 follow the current picture.
void EnableDocumentButtons();

}  // namespace grilton
