// The lists and tables of the picture loader and the GDI+ helpers, and the arithmetic
// around them. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Pictures that the thumbnail loader reads through GDI+.
constexpr std::string_view kGdiplusThumbnailList = ".DIB.EMF.GIF.JPG.JPEG.PNG.TIF.TIFF.WMF.";
// Pictures that LOADGDIPPICTURE and SAVEIMAGEBYEXT take.
constexpr std::string_view kGdiplusPictureList = ".DIB.EMF.GIF.JPG.JPEG.PNG.TIF.TIFF.WMF.BMP.ICO.";
// What the imaging layer counts as a picture.
constexpr std::string_view kImagingPictureList =
    ".JPG.CMP.GIF.TIF.BMP.ICO.CUR.PCX.PCC.DCX.PCD.WMF.PSD.PNG.TGA.EPS.RAS.WPG.PCT.MAC.IMG.MSP.EMF.JPEG.G2B.I2B.FPX.";

// The text from the path's last "." to its end, upper-cased ("" without a dot).
std::string DottedExtension(std::string_view path);
// Whether the path's extension, framed by dots, occurs in a list like the ones above.
bool ExtensionInList(std::string_view path, std::string_view list);
// The 1-based entry number of the path's extension in a list; 0 when it is not there.
int ExtensionPosition(std::string_view path, std::string_view list);
// The MIME type SAVEIMAGEBYEXT saves under for an extension without dots ("JPG"); "" when
// the save table has none (DIB, anything unlisted).
std::string SaveMimeType(std::string_view extension);

// ARGB colours: alpha in bits 24 to 31, then red, green and blue.
uint32_t MAKEARGB(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue);
void SPLITARGB(uint32_t argb, uint8_t& alpha, uint8_t& red, uint8_t& green, uint8_t& blue);
uint32_t SETALPHA(uint32_t argb, uint8_t alpha);

// The size cap of the thumbnail loader on systems below version 500: a bitmap of more
// than 16,000,000 bytes is reduced, keeping its aspect, until it fits.
void CapBitmapSize(int& width, int& height, int bytesPerPixel, int osVersion);

// The GIF conversion file of a program: the temporary folder, the first three letters of
// the program's file name in upper case, "CONV", the process number (so that two copies
// of a program never share it) and ".G2B".
std::string GifConversionPath(std::string_view tempFolder, std::string_view programPath, uint32_t processId);

// One file-type registration: extension, type name, command and description.
struct FileTypeRegistration {
  std::string extension;
  std::string typeName;
  std::string command;  // lower-cased, "@path@" expanded, without the " %1"
  std::string description;
};
// Reads "extension,type name,command,description": exactly four fields, else false. The
// command is lower-cased and every "@path@" in it becomes the program folder (lower-cased,
// with its final "\").
bool ParseFileTypeRegistration(std::string_view text, std::string_view programFolder, FileTypeRegistration& out);
