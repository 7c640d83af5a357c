// The JPEG decoder's state, shared by its two source files: markers and scans
// (jpeg_decoder.cpp), samples and colours (jpeg_output.cpp). Internal.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "imglib/byte_io.h"
#include "imglib/jpeg.h"
#include "jpeg_bits.h"

namespace imglib::jpeg {

struct Component {
  int id = 0;
  int h = 1, v = 1;
  int quantTable = 0;
  int dcTable = 0, acTable = 0;
  int blocksWide = 0, blocksHigh = 0;  // blocks that hold picture data
  int paddedWide = 0, paddedHigh = 0;  // blocks of whole MCUs
  int dcPredictor = 0;
  std::vector<int16_t> coefficients;   // progressive: 64 per block, quantised
  std::vector<uint8_t> plane;          // samples at the output scale
  int planeStride = 0;
  int blockOutX = 8, blockOutY = 8;    // samples per block across and down in the plane
  bool MeanOnly() const { return blockOutX == 1 && blockOutY == 1; }
  uint8_t* BlockOut(int bx, int by) {
    return plane.data() + size_t(by) * size_t(blockOutY) * size_t(planeStride) + size_t(bx) * size_t(blockOutX);
  }
  int16_t* Block(int bx, int by) { return coefficients.data() + (size_t(by) * size_t(paddedWide) + size_t(bx)) * 64; }
};

class Decoder {
 public:
  Decoder(std::string_view bytes, const DecodeOptions& options)
      : data_(reinterpret_cast<const uint8_t*>(bytes.data())), size_(bytes.size()), options_(options) {}

  int ReadHeader(JpegHeader& header);
  int Decode(Picture& out);

 private:
  int ReadMarkers(bool stopAtScan);
  int ReadFrame(ByteReader& in, int marker);
  int ReadHuffman(ByteReader& in);
  int ReadQuant(ByteReader& in);
  void ReadApp(ByteReader& in, int marker, size_t length);
  int PrepareComponents();
  int DecodeScan(ByteReader& in);
  bool DecodeSequentialBlock(Component& c, int bx, int by);
  void DecodeDcFirst(Component& c, int16_t* block);
  void DecodeDcRefine(int16_t* block);
  void DecodeAcFirst(Component& c, int16_t* block);
  void DecodeAcRefine(Component& c, int16_t* block);
  void FinishProgressive();
  int Output(Picture& out);

  const uint8_t* data_;
  size_t size_;
  DecodeOptions options_;
  size_t position_ = 0;

  bool frameSeen_ = false;
  bool progressive_ = false;
  int width_ = 0, height_ = 0;
  std::vector<Component> components_;
  int hMax_ = 1, vMax_ = 1;
  int mcusWide_ = 0, mcusHigh_ = 0;
  int scale_ = 1;       // 1, 2, 4 or 8
  int blockOut_ = 8;    // pixels per block side at the output scale
  std::array<std::array<uint16_t, 64>, 4> quant_{};
  std::array<bool, 4> quantPresent_{};
  HuffmanTable dcTables_[4], acTables_[4];
  int restartInterval_ = 0;
  bool adobe_ = false;
  int adobeTransform = -1;
  bool jfif_ = false;
  int xDpi_ = 0, yDpi_ = 0;
  bool scanDecoded_ = false;
  bool damaged_ = false;

  // The current scan.
  std::vector<int> scanComponents_;
  int ss_ = 0, se_ = 63, ah_ = 0, al_ = 0;
  int eobRun_ = 0;
  BitReader bits_;
};

}  // namespace imglib::jpeg
