/* The pick library's exported functions, as nadrix.dll exports them (and as the static
 * library shared_pick holds them for programs that link it and export them again).
 *
 * Calling convention: every function is __stdcall (WINAPI) with C linkage and keeps its
 * plain name in the DLL ("SKPICKF", "SKPICKMULTI", ...). The mixed-case names
 * "skPickF", "skPickMulti", "skPickFilter", "skUseFilter", "skShowThumb" are exported too,
 * for programs that look the functions up by those names.
 *
 * Texts are the suite's single-byte ANSI strings.
 *  - A text by value is a zero-terminated const char* that the function does not keep
 *    (null counts as "").
 *  - A text by reference is an SkTextBuffer: the caller's buffer, zero-terminated, which
 *    the function reads and may replace. It writes at most size - 1 bytes and a zero and
 *    sets length to the full length of the new text; length >= size means the text was cut
 *    (the remembered values can then be read again with a bigger buffer, the dialog's two
 *    results with SKPICKRESULT). No memory changes hands across the DLL boundary.
 *
 * Programs that load the DLL by name find the function types below (SkPickFProc, ...).
 * The DLL draws with the skin named TOLVERN.SKL (or .SKS) beside the program's executable
 * unless the program names another with SKPICKSKIN before the first dialog. */
#ifndef PICK_NADRIX_H
#define PICK_NADRIX_H

#include <windows.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct SkTextBuffer {
  char* text;     /* the caller's buffer */
  int32_t size;   /* its size in bytes */
  int32_t length; /* out: the full length of the text written */
} SkTextBuffer;

/* The modal pick dialog; returns the number of the button that closed it (1 also when it
 * was closed through its frame), 0 when it could not open. result receives the picked path
 * (with multi-selection every picked path followed by "|"); nameText is in and out (see
 * the C++ SKPICKF in pick.h for the rules). */
int WINAPI SKPICKF(HWND owner, const char* startPath, const char* caption, const char* filterList,
                   const char* buttons, const char* listCaption, const char* treeCaption, const char* filterCaption,
                   int reserved, const char* nameCaption, int nameMode, SkTextBuffer* result,
                   SkTextBuffer* nameText);
/* The dialog's two results of the last call again (for a buffer that was too small). */
int WINAPI SKPICKRESULT(SkTextBuffer* result, SkTextBuffer* nameText);

/* One-shot switches: armed, a call disarms and answers -1; else it takes flag, answers 0. */
int WINAPI SKPICKMULTI(int flag);
int WINAPI SKNOTICONISE(int flag);

/* Remembered values: store != 0 keeps the text, store = 0 copies the kept value into it.
 * Each answers the length of the value kept. */
int WINAPI SKPICKINFILE(SkTextBuffer* text, int store);
int WINAPI SKPICKLASTFILE(SkTextBuffer* text, int store);
int WINAPI SKFILTERCHOICE(SkTextBuffer* text, int store);
int WINAPI SKPICKFILTER(SkTextBuffer* text, int store);
int WINAPI SKUSEFILTER(SkTextBuffer* text, int store);

/* Keeps the extension list of pictures and the thumbnail switch for the dialog; the list
 * draws no thumbnails (yet). Answers 0. */
int WINAPI SKSHOWTHUMB(const char* extensions, int on);
/* The skin file the DLL's dialogs use; answers 1. */
int WINAPI SKPICKSKIN(const char* skinFile);

/* The dialog's keyboard filter for a message loop (not 0: handled) and its window
 * procedure. */
int WINAPI DLDIALOGMESSAGE(HWND dialog, MSG* message);
LRESULT CALLBACK DIRLISTPROC(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

typedef int(WINAPI* SkPickFProc)(HWND, const char*, const char*, const char*, const char*, const char*,
                                 const char*, const char*, int, const char*, int, SkTextBuffer*, SkTextBuffer*);
typedef int(WINAPI* SkPickResultProc)(SkTextBuffer*, SkTextBuffer*);
typedef int(WINAPI* SkSwitchProc)(int);
typedef int(WINAPI* SkKeptTextProc)(SkTextBuffer*, int);
typedef int(WINAPI* SkShowThumbProc)(const char*, int);
typedef int(WINAPI* SkPickSkinProc)(const char*);
typedef int(WINAPI* DlDialogMessageProc)(HWND, MSG*);

#ifdef __cplusplus
}
#endif

#endif
