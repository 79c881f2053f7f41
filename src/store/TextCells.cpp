#include "store/TextCells.h"

namespace tarvolen {
namespace {

// Length of the UTF-8 sequence starting at s[i]; 1 for a malformed byte.
size_t SequenceLength(std::string_view s, size_t i) {
  auto c = static_cast<unsigned char>(s[i]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
  if (i + n > s.size()) return 1;
  for (size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return 1;
  }
  return n;
}

char32_t Decode(std::string_view s, size_t i, size_t n) {
  auto c = static_cast<unsigned char>(s[i]);
  if (n == 1) return c;
  char32_t cp = c & (0xFF >> (n + 1));
  for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  return cp;
}

int Cells(char32_t cp) {
  if (cp < 0x80) return 1;
  if (cp >= 0xFF61 && cp <= 0xFF9F) return 1;  // half-width katakana
  return 2;
}

}  // namespace

std::vector<char32_t> CodePoints(std::string_view utf8) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < utf8.size();) {
    size_t n = SequenceLength(utf8, i);
    out.push_back(Decode(utf8, i, n));
    i += n;
  }
  return out;
}

size_t CharacterCount(std::string_view utf8) {
  size_t count = 0;
  for (size_t i = 0; i < utf8.size(); i += SequenceLength(utf8, i)) ++count;
  return count;
}

int CellWidth(std::string_view utf8) {
  int width = 0;
  for (size_t i = 0; i < utf8.size();) {
    size_t n = SequenceLength(utf8, i);
    width += Cells(Decode(utf8, i, n));
    i += n;
  }
  return width;
}

std::string SliceCharacters(std::string_view utf8, size_t from, size_t count) {
  std::string out;
  size_t index = 0;
  for (size_t i = 0; i < utf8.size() && index < from + count; ++index) {
    size_t n = SequenceLength(utf8, i);
    if (index >= from) out.append(utf8.substr(i, n));
    i += n;
  }
  return out;
}

std::string CutToWidth(std::string_view utf8, int n) {
  std::string out;
  int width = 0;
  for (size_t i = 0; i < utf8.size();) {
    size_t len = SequenceLength(utf8, i);
    int w = Cells(Decode(utf8, i, len));
    if (width + w > n) break;
    width += w;
    out.append(utf8.substr(i, len));
    i += len;
  }
  return out;
}

std::string FitColumn(std::string_view utf8, int n) {
  std::string out = CutToWidth(utf8, n);
  int width = CellWidth(out);
  while (width < n) {
    out += ' ';
    ++width;
  }
  return out;
}

}  // namespace tarvolen
