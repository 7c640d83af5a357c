// Printing in tests: a PostScript printer on the port FILE: added to the test's Wine
// prefix, and the pages of its PostScript files rendered by ghostscript (a Unix program,
// started through Wine) into RGB pixels that a test can look at.
#pragma once
#include <string>

namespace testprint {

inline constexpr const char* kTestPrinter = "Suite Test Printer";

// Adds the printer to the prefix once (the prefix keeps it) and makes it the default.
bool EnsureTestPrinter();

// For its lifetime the profile names no default printer (programs then find none); the
// default before comes back at its end.
class NoDefaultPrinter {
 public:
  NoDefaultPrinter();
  ~NoDefaultPrinter();
  NoDefaultPrinter(const NoDefaultPrinter&) = delete;
  NoDefaultPrinter& operator=(const NoDefaultPrinter&) = delete;
  // Whether the profile names none now.
  bool Ok() const;

 private:
  std::string before_;
};

// Answers a program's print dialog with OK and names the file its printout goes to (the
// port FILE: asks for it). False when a dialog did not come within the time.
bool PrintToFile(unsigned long processId, const std::string& output, unsigned long milliseconds);
// Names the file of one more document the program prints after the first.
bool NameNextPrintFile(unsigned long processId, const std::string& output, unsigned long milliseconds);

// The Unix path of a file, through Wine's own call; "" outside Wine.
std::string UnixPath(const std::string& path);

// A page rendered at 30 dots per inch.
struct Page {
  int width = 0;
  int height = 0;
  std::string rgb;
  const unsigned char* At(int x, int y) const {
    return reinterpret_cast<const unsigned char*>(rgb.data()) + (size_t(y) * size_t(width) + size_t(x)) * 3;
  }
};

// Renders the first page of a PostScript file through the ppm file; false with the reason
// in error when ghostscript could not run or gave no page.
bool RenderFirstPage(const std::string& ps, const std::string& ppm, Page& page, std::string& error);

// Whether a pixel is within tolerance of a colour in every channel.
bool NearColour(const unsigned char* pixel, int red, int green, int blue, int tolerance = 12);

}  // namespace testprint
