#include "narwen/command_line.h"

#include <vector>

#include "fileio/paths.h"

namespace narwen {

CommandLineJob ParseCommandLine(std::string_view line) {
  const std::string upper = fileio::ToUpper(line);
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, inWord = false;
  for (char c : upper) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  CommandLineJob job;
  if (words.empty() || words[0].empty()) return job;
  job.present = true;
  job.path = words[0];
  if (words.size() > 1 && (words[1] == "I" || words[1] == "/I")) job.mode = kModeIndexOnly;
  return job;
}

}  // namespace narwen
