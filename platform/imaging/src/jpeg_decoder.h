// The JPEG decoder's state, shared by its two source files: markers and scans
// (jpeg_decoder.cpp), samples and colours (jpeg_output.cpp). Internal.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
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
  // Samples at the output scale. While the rows of MCUs are turned into pixels as they
  // come, the plane holds three of them, row r of the picture at r modulo planeRows.
  std::vector<uint8_t> plane;
  int planeStride = 0;
  int planeRows = 0;
  int blockOutX = 8, blockOutY = 8;    // samples per block across and down in the plane
  bool MeanOnly() const { return blockOutX == 1 && blockOutY == 1; }
  int BandRows() const { return v * blockOutY; }  // plane rows per row of MCUs
  const uint8_t* PlaneRow(int y) const { return plane.data() + size_t(y % planeRows) * size_t(planeStride); }
  uint8_t* BlockOut(int bx, int by) {
    return plane.data() + size_t(by * blockOutY % planeRows) * size_t(planeStride) + size_t(bx) * size_t(blockOutX);
  }
  int16_t* Block(int bx, int by) { return coefficients.data() + (size_t(by) * size_t(paddedWide) + size_t(bx)) * 64; }
};

struct OutputRows;

class Decoder {
 public:
  Decoder(std::string_view bytes, const DecodeOptions& options);
  ~Decoder();

  int ReadHeader(JpegHeader& header);
  int Decode(Picture& out);

 private:
  int ReadMarkers(bool stopAtScan);
  int ReadFrame(ByteReader& in, int marker);
  int ReadHuffman(ByteReader& in);
  int ReadQuant(ByteReader& in);
  void ReadApp(ByteReader& in, int marker, size_t length);
  int PrepareComponents(bool streaming);
  int DecodeScan(ByteReader& in);
  void DecodeEntropyData();
  bool DecodeSequentialBlock(Component& c, int bx, int by);
  void DecodeDcFirst(Component& c, int16_t* block);
  void DecodeDcRefine(int16_t* block);
  void DecodeAcFirst(Component& c, int16_t* block);
  void DecodeAcRefine(Component& c, int16_t* block);
  // Pixels: rows of MCUs become output rows as soon as the row below them is there (the
  // upsampling looks one sample row ahead).
  int StartOutput();
  void BeginMcuRow(int my);
  void McuRowsComplete(int count);
  void EmitMcuRow(int my);
  void TransformMcuRow(int my);
  int FinishOutput();

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
  // A sequential picture whose first scan holds every component is turned into pixels
  // while it is decoded; the plane then holds three rows of MCUs.
  bool streaming_ = false;
  bool streamDone_ = false;
  Raster* out_ = nullptr;
  std::unique_ptr<OutputRows> output_;
  int begun_ = 0;    // rows of MCUs whose samples are being written (or were)
  int emitted_ = 0;  // rows of MCUs turned into pixels

  // The current scan.
  std::vector<int> scanComponents_;
  int ss_ = 0, se_ = 63, ah_ = 0, al_ = 0;
  int eobRun_ = 0;
  BitReader bits_;
};

}  // namespace imglib::jpeg
