// encstandin: a stand-in for an outside command-line encoder. It reads everything from its
// standard input and writes, into the file its command line names as output (after "-o",
// else the last argument), one line with its arguments and then the bytes it read.
#include <windows.h>

#include <string>
#include <vector>

#include "fileio/file.h"

namespace {

// The arguments after the program's name, as the command line has them.
std::string ArgumentsOf(const std::string& line) {
  size_t at = 0;
  if (!line.empty() && line[0] == '"') {
    at = line.find('"', 1);
    at = at == std::string::npos ? line.size() : at + 1;
  } else {
    at = line.find(' ');
    if (at == std::string::npos) at = line.size();
  }
  return line.substr(at);
}

std::vector<std::string> Split(const std::string& arguments) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < arguments.size()) {
    while (i < arguments.size() && arguments[i] == ' ') ++i;
    if (i >= arguments.size()) break;
    std::string word;
    if (arguments[i] == '"') {
      size_t end = arguments.find('"', i + 1);
      word = arguments.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
      i = end == std::string::npos ? arguments.size() : end + 1;
    } else {
      size_t end = arguments.find(' ', i);
      word = arguments.substr(i, end == std::string::npos ? std::string::npos : end - i);
      i = end == std::string::npos ? arguments.size() : end;
    }
    out.push_back(word);
  }
  return out;
}

}  // namespace

int main() {
  std::string arguments = ArgumentsOf(GetCommandLineA());
  std::vector<std::string> words = Split(arguments);
  std::string output;
  for (size_t i = 0; i + 1 < words.size(); ++i)
    if (words[i] == "-o") output = words[i + 1];
  if (output.empty() && !words.empty()) output = words.back();
  std::string input;
  char buffer[65536];
  DWORD got = 0;
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  while (ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0) input.append(buffer, got);
  if (output.empty() || output == "-") return 2;
  return fileio::WriteFileReplacing(output, arguments + "\n" + input) == fileio::kOk ? 0 : 1;
}
