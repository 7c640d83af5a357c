// The picture transforms of the file list (flip, mirror, rotate, resize): the commands, the
// size a resize gives, how a changed picture is saved, and the batch of files a command
// works on. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "kelmor/command_ids.h"

namespace kelmor {

// The commands are kTransformFlip to kTransformResize (kelmor/command_ids.h).
bool IsTransformCommand(int command);
// Hundredths of a degree for the imaging layer's rotation (positive turns clockwise); 0 for
// commands that do not rotate.
int TransformRotation(int command);
// The depth a picture is loaded at: 24 bits for a resize, its own (0) otherwise.
int TransformLoadDepth(int command);

// The size chosen in the resize box.
struct SizeChoice {
  int width = 0;
  int height = 0;
  bool keepProportions = true;
};

// The new size of a picture. With keepProportions the factor is chosen width / picture
// width, or chosen height / picture height when that is smaller, and both sides are scaled
// by it (rounded, at least 1); otherwise exactly the chosen size. False for a picture or a
// choice with a side of 0 or less: nothing is resized.
bool ResizeTarget(int pictureWidth, int pictureHeight, const SizeChoice& choice, int& width, int& height);

// How a transformed picture is saved over its file.
struct TransformSave {
  bool possible = false;  // false for a file name without "."
  int format = 0;
  int bitsPerPixel = 0;
  int qualityFactor = 0;
};
// ".JPG" and ".JPEG" save as JPEG (format 10) at 24 bits with quality factor 25, ".CMP" as
// format 5 with quality factor -1; every other picture in the format and depth it was
// loaded from, quality factor 0.
TransformSave TransformSaveRule(const std::string& path, int loadedFormat, int loadedBitsPerPixel);

// The files of one transform command, fixed when the command starts: the folder and the
// names, so that a step never depends on what the file list shows meanwhile.
struct TransformBatch {
  int id = 0;
  int command = 0;
  std::string folder;               // with its final "\"
  std::vector<std::string> names;   // file names, in list order
  SizeChoice size;                  // for a resize
  bool firstError = true;           // only the first failure of a batch is reported

  std::string PathAt(size_t position) const;
};

// One step's message values: the command in the low word and the step's position (16 bits)
// in the high word of wParam; lParam counts the files that follow, so it is 0 for the last.
struct TransformStepWords {
  uint32_t wParam = 0;
  int64_t lParam = 0;
};
TransformStepWords EncodeTransformStep(int command, size_t position, size_t count);
// The position of a step in its batch: count - 1 - files that follow (the high word holds
// only 16 bits of it).
size_t TransformStepPosition(int64_t following, size_t count);

}  // namespace kelmor
