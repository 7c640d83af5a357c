#include "avi_reader.h"

#include <algorithm>
#include <vector>

namespace avitest {

namespace {

uint32_t U32(const std::string& b, size_t at) {
  return at + 4 > b.size() ? 0
                           : uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
                                 uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t U16(const std::string& b, size_t at) {
  return at + 2 > b.size() ? 0 : uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}
std::string Id(const std::string& b, size_t at) { return at + 4 > b.size() ? std::string() : b.substr(at, 4); }

struct Piece {
  std::string id;
  size_t data = 0, size = 0;  // where its data starts and how long it is
};

struct Reader {
  const std::string& b;
  AviSummary& out;
  std::string& error;
  int streamNumber = 0;
  size_t movi = 0;  // the position of "movi" (idx1 offsets count from it)
  std::vector<Piece> frames;

  bool Fail(const std::string& why) {
    error = why;
    return false;
  }
  static std::string StreamId(int stream, const std::string& kind) {
    char id[5] = {char('0' + stream / 10), char('0' + stream % 10), kind[0], kind[1], 0};
    return id;
  }
  std::string FrameId(const std::string& kind) const { return StreamId(out.videoStream, kind); }
  bool IsFrame(const std::string& id) const {
    return out.videoStream >= 0 && (id == FrameId("db") || id == FrameId("dc"));
  }

  // The chunks between from and to (a list's contents).
  bool Walk(size_t from, size_t to, const std::string& list) {
    size_t at = from;
    while (at + 8 <= to) {
      Piece c{Id(b, at), at + 8, U32(b, at + 4)};
      if (c.data + c.size > to) return Fail("chunk " + c.id + " runs past its list");
      if (c.id == "LIST") {
        if (c.size < 4) return Fail("empty LIST");
        std::string kind = Id(b, c.data);
        if (kind == "movi") movi = c.data;
        if (!Walk(c.data + 4, c.data + c.size, kind)) return false;
      } else if (!Take(c, list)) {
        return false;
      }
      at = c.data + c.size + (c.size & 1);
    }
    return true;
  }

  bool Take(const Piece& c, const std::string& list) {
    if (c.id == "avih") {
      if (c.size < 40) return Fail("short avih");
      out.microSecondsPerFrame = U32(b, c.data);
      out.totalFrames = U32(b, c.data + 16);
      out.streams = U32(b, c.data + 24);
      out.width = U32(b, c.data + 32);
      out.height = U32(b, c.data + 36);
    } else if (c.id == "strh") {
      if (c.size < 36) return Fail("short strh");
      std::string type = Id(b, c.data);
      if (type == "auds" && !out.hasAudio) {
        out.hasAudio = true;
        out.audioStream = streamNumber;
        out.audioLength = U32(b, c.data + 32);
        out.audioSampleSize = U32(b, c.data + 44);
      }
      if (type == "vids" && out.videoStream < 0) {
        out.videoStream = streamNumber;
        out.handler = U32(b, c.data + 4);
        out.scale = U32(b, c.data + 20);
        out.rate = U32(b, c.data + 24);
        out.length = U32(b, c.data + 32);
      }
      ++streamNumber;
    } else if (c.id == "strf" && out.videoStream == streamNumber - 1 && out.frameWidth == 0) {
      if (c.size < 40) return Fail("short strf");
      out.frameWidth = int32_t(U32(b, c.data + 4));
      out.frameHeight = int32_t(U32(b, c.data + 8));
      out.bitCount = U16(b, c.data + 14);
      out.compression = U32(b, c.data + 16);
    } else if (c.id == "strf" && out.audioStream == streamNumber - 1 && out.audioFormat == 0) {
      if (c.size < 16) return Fail("short sound strf");
      out.audioFormat = U16(b, c.data);
      out.channels = U16(b, c.data + 2);
      out.samplesPerSecond = U32(b, c.data + 4);
      out.bitsPerSample = U16(b, c.data + 14);
    } else if (list == "movi" || list == "rec ") {
      if (IsFrame(c.id)) frames.push_back(c);
      if (out.audioStream >= 0 && c.id == StreamId(out.audioStream, "wb")) out.audioBytes += uint32_t(c.size);
    } else if (c.id == "idx1") {
      return Index(c);
    }
    return true;
  }

  bool Index(const Piece& c) {
    out.indexMatchesMovi = movi != 0;
    for (size_t at = c.data; at + 16 <= c.data + c.size; at += 16) {
      std::string id = Id(b, at);
      if (!IsFrame(id)) continue;
      ++out.indexFrames;
      // Offsets count from "movi" (or, in some writers, from the file's start).
      uint32_t offset = U32(b, at + 8), size = U32(b, at + 12);
      bool found = false;
      for (size_t base : {movi, size_t(0)}) {
        size_t chunk = base + offset;
        if (Id(b, chunk) == id && U32(b, chunk + 4) == size) found = true;
      }
      if (!found) out.indexMatchesMovi = false;
    }
    return true;
  }
};

}  // namespace

bool ReadAvi(const std::string& bytes, AviSummary& out, std::string& error) {
  out = AviSummary{};
  error.clear();
  if (bytes.size() < 12 || Id(bytes, 0) != "RIFF" || Id(bytes, 8) != "AVI ") {
    error = "no RIFF AVI file";
    return false;
  }
  size_t end = std::min(bytes.size(), size_t(U32(bytes, 4)) + 8);
  Reader r{bytes, out, error, 0, 0, {}};
  if (!r.Walk(12, end, "")) return false;
  out.moviFrames = uint32_t(r.frames.size());
  if (out.videoStream < 0) {
    error = "no video stream";
    return false;
  }
  return true;
}

}  // namespace avitest
