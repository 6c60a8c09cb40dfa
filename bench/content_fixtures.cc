#include "content_fixtures.h"

#include <vector>

#include "test_support/zip_writer.h"

namespace bench {

std::string PageLikeText(size_t size, unsigned seed) {
  static const char* const kWords[] = {
      "function", "var",   "return", "host",  "div",    "class", "panel",
      "=",        "(",     ")",      "{",     "}",      ";",     "\n",
      "data",     "index", "button", "style", "widget", "0",     "1"};
  const size_t word_count = sizeof(kWords) / sizeof(kWords[0]);
  std::string text;
  text.reserve(size + 16);
  unsigned state = seed * 2654435761u + 1;
  while (text.size() < size) {
    state = state * 1103515245u + 12345u;
    text += kWords[(state >> 16) % word_count];
    text += ' ';
  }
  text.resize(size);
  return text;
}

std::string ArchiveEntryName(int index) {
  return "entry" + std::to_string(index) + ".js";
}

void WriteContentArchive(const std::string& path, int count,
                         size_t entry_size) {
  std::vector<test_support::ZipEntry> entries;
  for (int i = 0; i < count; ++i)
    entries.push_back({ArchiveEntryName(i),
                       PageLikeText(entry_size, static_cast<unsigned>(i))});
  test_support::WriteZip(path, entries);
}

}  // namespace bench
