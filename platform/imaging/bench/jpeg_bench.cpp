// Full-size JPEG decoding beside djpeg (libjpeg-turbo) on large photographs, in one run:
//   jpeg_bench [folder] [--runs N]
// The photographs are made here with ImageMagick (once; a folder that holds them is
// reused): a 6000 x 4000 baseline 4:2:0, a 5000 x 3000 progressive 4:2:0, a 4000 x 3000
// 4:4:4 and a 4000 x 3000 grey one, cut from one plasma picture with grain. Each is
// decoded from memory by our decoder and by djpeg (a program of its own, writing to
// /dev/null; the time djpeg takes for a tiny file is taken off), best of N runs, and
// the table gives both times, their ratio and how far our pixels are from djpeg's.
// Under Wine the Debian tools are started as Unix programs with Unix paths. Run it on
// one core: taskset -c 2 build/bench/tests/jpeg_bench (natively, from an optimised
// build), or under Wine with build/win64/tests/jpeg_bench.exe.
#ifdef _WIN32
#include <windows.h>

#include "win/raii.h"
#else
#include <sys/wait.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fileio/file.h"
#include "fileio/paths.h"
#include "imglib/jpeg.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point since) { return std::chrono::duration<double, std::milli>(Clock::now() - since).count(); }

#ifdef _WIN32
// Wine's own call that names the Unix file behind a Windows path; missing on Windows.
std::string UnixPath(const std::string& path) {
  using Convert = char*(CDECL*)(const WCHAR*);
  auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return path;
  std::wstring wide(path.begin(), path.end());
  char* unix = convert(wide.c_str());
  if (!unix) return path;
  std::string out = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return out;
}

int Run(const std::string& command) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string line = command;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  win::Handle process(pi.hProcess), thread(pi.hThread);
  WaitForSingleObject(process.Get(), INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.Get(), &code);
  return int(code);
}
#else
std::string UnixPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

int Run(const std::string& command) {
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

struct Photo {
  const char* name;
  const char* file;
  const char* options;  // ImageMagick's, applied to the source picture
};

const Photo kPhotos[] = {
    {"6000 x 4000 baseline 4:2:0", "base420.jpg", "-quality 92 -sampling-factor 2x2"},
    {"5000 x 3000 progressive 4:2:0", "prog420.jpg", "-crop 5000x3000+500+500 +repage -quality 90 -sampling-factor 2x2 -interlace Plane"},
    {"4000 x 3000 baseline 4:4:4", "base444.jpg", "-crop 4000x3000+1000+0 +repage -quality 92 -sampling-factor 1x1"},
    {"4000 x 3000 grey", "grey.jpg", "-crop 4000x3000+0+1000 +repage -colorspace Gray -quality 92"},
};

const char* kConvert = "/usr/bin/convert";  // ImageMagick's, whatever else is on the path

bool MakePhotos(const std::string& folder) {
  std::string source = folder + "source.ppm";
  if (!fileio::Exists(source)) {
    std::printf("making the source picture (6000 x 4000, about a minute) ...\n");
    std::fflush(stdout);
    // A plasma picture, softened, with the grain of a camera's sensor.
    if (Run(std::string(kConvert) + " -size 6000x4000 -seed 5 plasma:fractal -blur 0x1.5 -attenuate 0.6 +noise Gaussian " +
            UnixPath(source)) != 0)
      return false;
  }
  for (const Photo& p : kPhotos) {
    std::string file = folder + p.file;
    if (fileio::Exists(file)) continue;
    if (Run(std::string(kConvert) + " " + UnixPath(source) + " " + p.options + " " + UnixPath(file)) != 0) return false;
  }
  return true;
}

// djpeg's PNM output as pixels in our order (blue, green, red), or empty.
std::vector<uint8_t> ReadPnm(const std::string& path, int& width, int& height) {
  std::string bytes;
  if (fileio::ReadWholeFile(path, bytes) != 0 || bytes.size() < 2 || bytes[0] != 'P') return {};
  int channels = bytes[1] == '6' ? 3 : bytes[1] == '5' ? 1 : 0;
  int maxValue = 0;
  size_t pos = 2;
  int* fields[] = {&width, &height, &maxValue};
  for (int* f : fields) {
    while (pos < bytes.size() && (bytes[pos] == ' ' || bytes[pos] == '\n' || bytes[pos] == '\r')) ++pos;
    *f = 0;
    while (pos < bytes.size() && bytes[pos] >= '0' && bytes[pos] <= '9') *f = *f * 10 + (bytes[pos++] - '0');
  }
  ++pos;
  size_t count = size_t(width) * size_t(height);
  if (!channels || maxValue != 255 || bytes.size() < pos + count * size_t(channels)) return {};
  std::vector<uint8_t> bgr(count * 3);
  const uint8_t* src = reinterpret_cast<const uint8_t*>(bytes.data()) + pos;
  for (size_t i = 0; i < count; ++i) {
    if (channels == 1) {
      bgr[i * 3] = bgr[i * 3 + 1] = bgr[i * 3 + 2] = src[i];
    } else {
      bgr[i * 3] = src[i * 3 + 2];
      bgr[i * 3 + 1] = src[i * 3 + 1];
      bgr[i * 3 + 2] = src[i * 3];
    }
  }
  return bgr;
}

struct Difference {
  int maximum = -1;
  double mean = 0;
};

Difference Compare(const imglib::Raster& ours, const std::vector<uint8_t>& theirs, int width, int height) {
  Difference d;
  if (ours.Width() != width || ours.Height() != height || theirs.empty()) return d;
  double sum = 0;
  d.maximum = 0;
  for (int y = 0; y < height; ++y) {
    const uint8_t* a = ours.Row(y);
    const uint8_t* b = theirs.data() + size_t(y) * size_t(width) * 3;
    for (int i = 0; i < width * 3; ++i) {
      int diff = std::abs(int(a[i]) - int(b[i]));
      d.maximum = std::max(d.maximum, diff);
      sum += diff;
    }
  }
  d.mean = sum / (double(width) * height * 3);
  return d;
}

// The best of `runs` times of djpeg decoding the file to nowhere.
double DjpegMs(const std::string& file, int runs) {
#ifdef _WIN32
  const char* nowhere = UnixPath("C:\\") == "C:\\" ? "NUL" : "/dev/null";
#else
  const char* nowhere = "/dev/null";
#endif
  double best = 1e30;
  for (int r = 0; r < runs; ++r) {
    auto t = Clock::now();
    if (Run(std::string("djpeg -outfile ") + nowhere + " " + UnixPath(file)) != 0) return -1;
    best = std::min(best, Ms(t));
  }
  return best;
}

double OursMs(const std::string& bytes, int runs, imglib::Picture& picture) {
  double best = 1e30;
  for (int r = 0; r < runs; ++r) {
    imglib::Picture p;
    auto t = Clock::now();
    if (imglib::DecodeJpeg(bytes, p) != imglib::kSuccess) return -1;
    best = std::min(best, Ms(t));
    if (r == 0) picture = std::move(p);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  std::string folder;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    else folder = a;
  }
  if (folder.empty()) folder = fileio::TempFolder() + "jpeg_bench";
  folder = fileio::WithTrailingSeparator(folder);
  if (fileio::MakeDirectories(folder) != 0 || !MakePhotos(folder)) {
    std::fprintf(stderr, "could not make the photographs in %s (ImageMagick: %s)\n", folder.c_str(), kConvert);
    return 1;
  }
  // djpeg's own start: a tiny file.
  std::string tiny = folder + "tiny.jpg";
  if (!fileio::Exists(tiny)) Run(std::string(kConvert) + " -size 16x16 xc:gray " + UnixPath(tiny));
  double start = DjpegMs(tiny, runs * 2);
  // Where djpeg cannot be started (a Wine that runs no Unix programs), our times alone:
  // compare them with djpeg's from a native run on the same core.
  bool withDjpeg = start >= 0;
  if (withDjpeg)
    std::printf("best of %d runs; djpeg's start (%.1f ms) taken off its times\n", runs, start);
  else
    std::printf("best of %d runs; djpeg (libjpeg-turbo-progs) could not be started: our times only\n", runs);
  std::printf("%-31s %9s %9s %7s %9s %9s\n", "picture", "ours ms", "djpeg ms", "ratio", "max diff", "mean diff");
  int failures = 0;
  for (const Photo& p : kPhotos) {
    std::string file = folder + p.file, bytes;
    if (fileio::ReadWholeFile(file, bytes) != 0) return 1;
    imglib::Picture picture;
    double ours = OursMs(bytes, runs, picture);
    if (!withDjpeg) {
      if (ours < 0) ++failures;
      std::printf("%-31s %9.1f\n", p.name, ours);
      continue;
    }
    double theirs = DjpegMs(file, runs) - start;
    // How far from djpeg's pixels: the transforms may differ by a level now and then.
    std::string pnm = folder + "djpeg.pnm";
    Run("djpeg -pnm -outfile " + UnixPath(pnm) + " " + UnixPath(file));
    int w = 0, h = 0;
    std::vector<uint8_t> reference = ReadPnm(pnm, w, h);
    fileio::RemoveFile(pnm);
    Difference d = Compare(picture.pixels, reference, w, h);
    if (ours < 0 || d.maximum < 0) ++failures;
    std::printf("%-31s %9.1f %9.1f %7.2f %9d %9.4f\n", p.name, ours, theirs, theirs > 0 ? ours / theirs : 0.0, d.maximum,
                d.mean);
  }
  return failures ? 1 : 0;
}
