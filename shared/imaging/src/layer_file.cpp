#include "imaging/layer_file.h"

#include <algorithm>
#include <climits>

#include "fileio/fields.h"
#include "fileio/paths.h"
#include "imaging/side_files.h"
#include "imglib/codecs.h"
#include "imglib/jpeg.h"
#include "imglib/transforms.h"
#include "skin/sk_files.h"
#include "skin/sk_text.h"

namespace layer {

namespace {

constexpr std::string_view kMagic = "0100QMF";
constexpr size_t kPictureLengthAt = 273;

void PutInt32(std::string& s, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i) s[at + size_t(i)] = char(uint8_t(uint32_t(v) >> (8 * i)));
}
int32_t GetInt32(std::string_view s, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t(uint8_t(s[at + size_t(i)])) << (8 * i);
  return int32_t(v);
}

// Blanks and zero bytes at both ends go.
std::string_view TrimBlanksAndZeros(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\0')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\0')) t.remove_suffix(1);
  return t;
}

// A text as a field: "|" becomes byte 24 and every line break a lone LF, so that neither
// splits the line; cut to the record's limit, and trimmed again after the cut, so that a
// text saved once more stays as it is.
std::string TextField(std::string_view text, size_t limit) {
  text = TrimBlanksAndZeros(text);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '|') {
      out.push_back(kTextBar);
    } else if (c == '\r') {
      out.push_back('\n');
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out.push_back(c);
    }
  }
  if (out.size() > limit) {
    out.resize(limit);
    out.resize(TrimBlanksAndZeros(out).size());
  }
  return out;
}

std::string FromTextField(std::string_view field) {
  std::string out(field);
  std::replace(out.begin(), out.end(), kTextBar, '|');
  return out;
}

// A number of the file: values beyond 32 bits are cut (a colour needs all 32).
int64_t Number(std::string_view t) { return fileio::LeadingNumber(t, UINT32_MAX); }

int Int(std::string_view t) { return int(std::clamp<int64_t>(Number(t), INT32_MIN, INT32_MAX)); }

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    size_t at = text.find(separator, start);
    if (at == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
}

}  // namespace

std::string EncodeTrailer(const Trailer& t) {
  std::string s(kTrailerSize, '\0');
  std::string name = t.name.substr(0, kNameSize);
  name.resize(kNameSize, ' ');
  s.replace(0, kNameSize, name);
  PutInt32(s, 260, t.width);
  PutInt32(s, 264, t.height);
  PutInt32(s, 268, t.colours);
  s[272] = char(t.bitsPerPixel);
  PutInt32(s, kPictureLengthAt, t.pictureLength);
  s.replace(277, kMagic.size(), kMagic);
  return s;
}

bool DecodeTrailer(std::string_view s, Trailer& t) {
  if (s.size() != kTrailerSize || s.substr(kTrailerSize - 3) != "QMF") return false;
  std::string_view name = s.substr(0, kNameSize);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  t.name = std::string(name);
  t.width = GetInt32(s, 260);
  t.height = GetInt32(s, 264);
  t.colours = GetInt32(s, 268);
  t.bitsPerPixel = uint8_t(s[272]);
  t.pictureLength = GetInt32(s, kPictureLengthAt);
  return true;
}

std::string EncodeObject(const Object& o) {
  std::string content;
  size_t count = 0;
  if (o.kind == kText) {
    content = TextField(o.text, kMaxTextBytes);
    count = content.size();
  } else {
    count = std::min(o.points.size(), kMaxPoints);
    for (size_t i = 0; i < count; ++i) {
      if (i) content += ",";
      content += std::to_string(o.points[i].x) + "," + std::to_string(o.points[i].y);
    }
  }
  std::string line;
  auto add = [&](const std::string& field) {
    line += field;
    line += '|';
  };
  add(std::to_string(o.kind));
  add(std::to_string(o.style));
  add(std::to_string(count));
  add(content);
  add(TextField(o.reserved1, kMaxTextBytes));
  add(TextField(o.font, kMaxFontBytes));
  add(std::to_string(o.size));
  add(std::to_string(o.formatFlags));
  add(std::to_string(int32_t(o.colour)));  // an opaque colour is negative
  add(std::to_string(o.shadow));
  add(std::to_string(o.x));
  add(std::to_string(o.y));
  add(std::to_string(o.width));
  add(std::to_string(o.height));
  add(std::to_string(o.visible));
  add(std::to_string(o.number));
  add(std::to_string(o.option));
  line += TextField(o.reserved2, kMaxTextBytes);
  return line;
}

Object DecodeObject(std::string_view line) {
  std::vector<std::string_view> f = Split(line, '|');
  f.resize(18);  // missing fields read as empty text or 0
  Object o;
  o.kind = Int(f[0]);
  o.style = Int(f[1]);
  int64_t count = std::max<int64_t>(0, Number(f[2]));
  if (o.kind == kText) {
    std::string text = FromTextField(f[3]);
    size_t n = size_t(std::min<int64_t>(count, int64_t(kMaxTextBytes)));
    if (text.size() > n) text.resize(n);
    o.text = std::move(text);
  } else if (count > 0 && !f[3].empty()) {
    std::vector<std::string_view> values = Split(f[3], ',');
    size_t n = std::min({size_t(count), kMaxPoints, values.size() / 2});
    for (size_t i = 0; i < n; ++i)
      o.points.push_back({int16_t(std::clamp<int64_t>(Number(values[2 * i]), INT16_MIN, INT16_MAX)),
                          int16_t(std::clamp<int64_t>(Number(values[2 * i + 1]), INT16_MIN, INT16_MAX))});
  }
  o.reserved1 = FromTextField(f[4]);
  o.font = FromTextField(f[5]).substr(0, kMaxFontBytes);
  o.size = Int(f[6]);
  o.formatFlags = Int(f[7]);
  o.colour = uint32_t(Number(f[8]));
  o.shadow = Int(f[9]);
  o.x = Int(f[10]);
  o.y = Int(f[11]);
  o.width = Int(f[12]);
  o.height = Int(f[13]);
  o.visible = Int(f[14]);
  o.number = Int(f[15]);
  o.option = Int(f[16]);
  o.reserved2 = FromTextField(f[17]);
  return o;
}

std::string BuildFile(std::string_view jpeg, const std::vector<Object>& objects, const Trailer& trailer) {
  std::string file(jpeg);
  for (const Object& o : objects) file += EncodeObject(o) + "\r\n";
  Trailer t = trailer;
  t.pictureLength = int32_t(jpeg.size());
  return file + EncodeTrailer(t);
}

namespace {

// The object block's place by the reading rule; false for no layered file.
bool Locate(int64_t fileSize, std::string_view trailerBytes, Trailer& trailer, int64_t& blockStart,
            int64_t& blockLength) {
  if (fileSize <= 3 || int64_t(trailerBytes.size()) != int64_t(kTrailerSize)) return false;
  if (!DecodeTrailer(trailerBytes, trailer)) return false;
  int64_t p = trailer.pictureLength;
  if (p < 0 || p > fileSize - int64_t(kTrailerSize)) return false;  // the offset must lie before the trailer
  blockStart = p;
  blockLength = fileSize - p - int64_t(kTrailerSize) - 2;  // without the last line's CR LF
  if (blockLength < 0) blockLength = 0;
  return true;
}

std::vector<Object> Lines(std::string_view block) {
  std::vector<Object> objects;
  if (block.empty()) return objects;
  size_t start = 0;
  for (;;) {
    size_t at = block.find("\r\n", start);
    objects.push_back(DecodeObject(block.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start)));
    if (at == std::string_view::npos) break;
    start = at + 2;
  }
  return objects;
}

}  // namespace

bool ParseFile(std::string_view bytes, Contents& c) {
  c = Contents{};
  if (bytes.size() <= 3 || bytes.substr(bytes.size() - 3) != "QMF" || bytes.size() < kTrailerSize) return false;
  int64_t start = 0, length = 0;
  if (!Locate(int64_t(bytes.size()), bytes.substr(bytes.size() - kTrailerSize), c.trailer, start, length)) return false;
  c.picture = bytes.substr(0, size_t(start));
  c.objects = Lines(bytes.substr(size_t(start), size_t(length)));
  return true;
}

bool ReadFile(const std::string& path, Trailer& trailer, std::vector<Object>& objects) {
  objects.clear();
  if (path.empty() || !SKEXIST(path)) return false;
  int h = 0;
  if (SKFOPEN(path, 0, 0, h) != 0) return false;
  int64_t size = SKFLOF(h);
  bool ok = false;
  std::string tail(3, '\0');
  if (size > 3 && SKFGETAT(h, size - 3, tail) == 0 && tail == "QMF" && size >= int64_t(kTrailerSize)) {
    std::string trailerBytes(kTrailerSize, '\0');
    int64_t start = 0, length = 0;
    if (SKFGETAT(h, size - int64_t(kTrailerSize), trailerBytes) == 0 &&
        Locate(size, trailerBytes, trailer, start, length)) {
      ok = true;
      if (length > 0) {
        std::string block(size_t(length), '\0');
        if (SKFGETAT(h, start, block) == 0) objects = Lines(block);
      }
    }
  }
  SKFCLOSE(h);
  return ok;
}

std::string LayerPathFor(const std::string& path) {
  if (fileio::EqualsNoCase(fileio::ExtensionOf(path), "qmf")) return path;
  return SideFilePath(path, "qmf");
}

bool WriteFile(const std::string& picturePath, const imglib::Raster& picture, const std::vector<Object>& objects,
               int thumbnailSide) {
  std::string path = SideFilePath(picturePath, "qmf");
  if (path.empty()) return false;  // an empty path names no file: nothing is deleted
  SKKILLFILE(path);
  if (objects.empty() || picture.Empty()) return false;
  Trailer t;
  t.name = fileio::NameOf(picturePath);
  t.width = picture.Width();
  t.height = picture.Height();
  t.colours = imglib::CountColours(picture);
  t.bitsPerPixel = 24;
  imglib::Raster reduced;
  const imglib::Raster* source = &picture;
  if (thumbnailSide > 0) {
    int left, top, w, h;
    SKICONISE(picture.Width(), picture.Height(), thumbnailSide, thumbnailSide, left, top, w, h);
    if (w > 0 && h > 0 && (w != picture.Width() || h != picture.Height())) {
      if (!imglib::Resize(picture, w, h, imglib::kSizeResample, reduced)) return false;
      source = &reduced;
    }
  }
  std::string jpeg;
  if (imglib::EncodeJpeg(*source, 2, false, jpeg) != imglib::kSuccess) return false;
  t.pictureLength = int32_t(jpeg.size());
  int handle = 0;
  if (SKFOPEN(path, 1, 1, handle) != 0) return false;
  bool ok = SKFPUT(handle, jpeg) == 0;
  for (size_t i = 0; ok && i < objects.size(); ++i) ok = SKFPUT(handle, EncodeObject(objects[i]) + "\r\n") == 0;
  ok = ok && SKFPUT(handle, EncodeTrailer(t)) == 0;
  SKFCLOSE(handle);
  if (!ok) SKKILLFILE(path);  // a file cut short would be read as damaged
  return ok;
}

}  // namespace layer
