#include "fileio/paths.h"

#include <algorithm>

namespace fileio {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

static size_t LastSeparator(std::string_view path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1])) return i - 1;
  }
  return std::string_view::npos;
}

std::string FolderOf(std::string_view path) {
  size_t sep = LastSeparator(path);
  if (sep != std::string_view::npos) return std::string(path.substr(0, sep + 1));
  if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2));
  return {};
}

std::string NameOf(std::string_view path) {
  size_t sep = LastSeparator(path);
  if (sep != std::string_view::npos) return std::string(path.substr(sep + 1));
  if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(2));
  return std::string(path);
}

std::string StemOf(std::string_view path) {
  std::string name = NameOf(path);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ExtensionOf(std::string_view path) {
  std::string name = NameOf(path);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string WithoutExtension(std::string_view path) {
  std::string name = NameOf(path);
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return std::string(path);
  return std::string(path.substr(0, path.size() - (name.size() - dot)));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out = WithTrailingSeparator(folder);
  while (!name.empty() && IsSeparator(name.front())) name.remove_prefix(1);
  out += name;
  return out;
}

std::string WithTrailingSeparator(std::string_view folder) {
  if (folder.empty()) return {};
  char sep = IsSeparator(folder.back()) ? folder.back() : '\\';
  std::string out = WithoutTrailingSeparator(folder);
  if (out.empty() || !IsSeparator(out.back())) out += sep;
  return out;
}

std::string WithoutTrailingSeparator(std::string_view folder) {
  std::string out(folder);
  while (out.size() > 1 && IsSeparator(out.back())) {
    if (out.size() == 3 && out[1] == ':') break;  // "C:\" stays a root
    out.pop_back();
  }
  return out;
}

static char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }
static char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

std::string ToUpper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), UpperAscii);
  return out;
}

std::string ToLower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
  return out;
}

std::string Trim(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  return std::string(text.substr(b, e - b));
}

#ifndef _WIN32
std::string NativePath(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}
#endif

}  // namespace fileio
