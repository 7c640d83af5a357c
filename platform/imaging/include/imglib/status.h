// Result codes and file format numbers of the imaging layer. Portable.
#pragma once

namespace imglib {

// Every call answers kSuccess (1) or one of the negative failures below.
enum Status : int {
  kSuccess = 1,
  kFailure = -1,            // anything not listed below
  kNoMemory = -2,           // the picture is too large to hold
  kInvalidParameter = -3,   // a null bitmap, a size of 0, an unknown flag
  kFileNotFound = -4,       // the file cannot be opened for reading
  kFileRead = -5,           // reading failed part-way
  kFileWrite = -6,          // the file cannot be created or written
  kFileCorrupt = -7,        // the data is damaged or cut short
  kUnsupported = -8,        // the format (or this variant of it) is not supported
  kNotAPicture = -9,        // the data is no picture format that the layer knows
  kUserAbort = -100,        // the status callback asked the call to stop
};

// File format numbers, as callers pass them to the save and convert calls and as the
// file information reports them.
enum Format : int {
  kFormatUnknown = 0,
  kFormatPcx = 1,     // PCX and PCC
  kFormatTga = 4,     // Truevision Targa
  kFormatCmp = 5,     // compressed format of the original library: not supported
  kFormatBmp = 6,     // Windows bitmap (also the GIF conversion files .G2B and .I2B)
  kFormatJpeg = 10,   // JFIF
  kFormatEps = 16,    // encapsulated PostScript
  kFormatWpg = 54,    // WordPerfect graphics (version 1 bitmaps)
  kFormatRas = 55,    // Sun raster
  kFormatPct = 56,    // Macintosh PICT (bitmap opcodes)
  kFormatPng = 75,
  kFormatPsd = 76,    // Photoshop
  kFormatFpx = 80,    // FlashPix (a compound file of tiled resolutions)
  kFormatIco = 91,    // Windows icon (saved fitted into 32 x 32)
  kFormatCur = 92,    // Windows cursor (saved fitted into 32 x 32)
  // Formats without a number of the original library; the numbers are this layer's own.
  kFormatGif = 100,
  kFormatTif = 101,
  kFormatDcx = 102,   // multi-page PCX: the first page
  kFormatWmf = 103,   // placeable; written as one bitmap, read by the system codecs
  kFormatEmf = 104,   // written as one bitmap, read by the system codecs
  kFormatMsp = 105,   // Microsoft Paint
  kFormatMac = 106,   // MacPaint (576 x 720)
  kFormatImg = 107,   // GEM raster
  kFormatPcd = 108,   // Photo CD: not supported
};

// Resample flags of the size call.
enum SizeFlags : int {
  kSizeNearest = 0,   // pixel replication and dropping
  kSizeResample = 2,  // area average when reducing, bilinear when enlarging
};

// Rotation flag: grow the canvas so that the whole rotated picture fits.
constexpr int kRotateResize = 1;

}  // namespace imglib
