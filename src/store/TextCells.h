#pragma once
// Display cells: a half-width character is one cell, a Chinese (full-width)
// character two. Names and list columns are measured in cells.
#include <string>
#include <string_view>
#include <vector>

namespace tarvolen {

// The code points of a UTF-8 text; malformed bytes count as one each.
std::vector<std::u32string::value_type> CodePoints(std::string_view utf8);
// Number of characters (code points).
size_t CharacterCount(std::string_view utf8);
int CellWidth(std::string_view utf8);
// `count` characters from character `from` on.
std::string SliceCharacters(std::string_view utf8, size_t from, size_t count);
// Cuts characters from the end until the text is at most n cells wide.
std::string CutToWidth(std::string_view utf8, int n);
// Cuts while wider, then pads with spaces while narrower: exactly n cells
// (one cell short when only a two-cell character could fill it).
std::string FitColumn(std::string_view utf8, int n);

}  // namespace tarvolen
