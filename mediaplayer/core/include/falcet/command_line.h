// What the media player makes of its command line: the record keyword, the argument rule
// that turns the line into an item list, a UI text file handed over as ".SYS", the start
// item of a built show's AUTORUN.INF and the address a single missing name is opened as.
// Portable.
#pragma once
#include <string>
#include <vector>

#include "skin/ui_text.h"

namespace falcet {

// The keyword of record mode, anywhere in the line, in any case.
bool HasRecordKeyword(const std::string& commandLine);

// The argument rule: names in double quotes keep their blanks; without quotes the whole
// (rest of the) line is one name; a blank in front of a drive path ("x C:\...") parts two
// names. Returns the names joined by "|", empty names left out. An unmatched quote takes
// the rest of the line as one name.
std::string ArgumentList(const std::string& commandLine);

// Whether the line names a UI text file to take over: it ends in ".SYS" (any case) and
// holds no blank.
bool IsUiTextArgument(const std::string& commandLine);
// Whether a UI text file's text may replace the player's own: it defines a menu or an
// entry and has no malformed line (those are in errors). A file the player could not
// start with must never take the place of one it can.
bool IsUsableUiText(const std::string& text, std::vector<UiTextError>& errors);

// A single name that is no existing file is opened as a web address: addresses with a
// scheme ("file://", "http://", "https://", "ftp://", any case) as they are, everything
// else with "file://" in front.
std::string WebAddressOf(const std::string& name);
bool IsWebAddress(const std::string& item);        // "http://", "https://" or "ftp://"
bool NeedsConnection(const std::string& item);     // the same: a dial-up may be needed first

// The name that the line "open=falcet.exe NAME" of an AUTORUN.INF's text gives (lines
// trimmed and compared in lower case; a quoted name loses its quotes); "" when no line does.
std::string AutorunStartItem(const std::string& autorunText, const std::string& programName);

bool EndsWithNoCase(const std::string& text, const std::string& suffix);
bool StartsWithNoCase(const std::string& text, const std::string& prefix);

}  // namespace falcet
