// Saving by extension: which formats the imaging layer writes for which extension, which
// extensions go through GDI+, and how a pattern target gets the picture's name. Portable.
#pragma once
#include <string>
#include <string_view>

namespace bravik {

// The imaging layer's format number, depth and quality factor for an extension.
struct SaveFormat {
  int code = 0;
  int bitsPerPixel = 24;
  int quality = 0;
};

// The extension of a target as the save rules see it: "." + the upper-cased text after
// the last "." ("." when there is none).
std::string TargetExtension(std::string_view target);
// The imaging layer's table: false for extensions outside it (GIF among them).
bool LookupSaveFormat(std::string_view extension, SaveFormat& format);
// ".DIB.EMF.TIF.TIFF.WMF.": saved through GDI+.
bool IsGdiplusSaveExtension(std::string_view extension);
// The metafiles, which GDI+ reads but cannot write: the imaging layer writes them instead.
bool LookupMetafileFormat(std::string_view extension, SaveFormat& format);

// A pattern target: without any "*", every "\." first becomes "\*."; then every "*."
// becomes the base name of the current picture (its file name before the first ".")
// followed by ".". So "D:\o\*.png" and "D:\o\.png" with the current picture "h.2.jpg" both
// give "D:\o\h.png". An empty base name becomes fallbackName.
std::string ExpandPatternTarget(std::string_view target, std::string_view currentFileName,
                                std::string_view fallbackName);

}  // namespace bravik
