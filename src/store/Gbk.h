#pragma once
// Conversion between the UTF-8 strings the program works with and the GBK
// (code page 936) bytes every data file stores. Uses glibc's iconv.
#include <string>
#include <string_view>

#include "store/Result.h"

namespace tarvolen {

// UTF-8 to GBK. A character GBK cannot hold, or malformed UTF-8, is an error:
// the caller must not store a mangled text.
Result<std::string> ToGbk(std::string_view utf8);

// GBK to UTF-8. Bytes that are not valid GBK (a cut lead byte, junk in a
// damaged file) become U+FFFD each; decoding never fails.
std::string FromGbk(std::string_view gbk);

// Number of GBK bytes the text needs, or -1 when it has no GBK form.
long GbkLength(std::string_view utf8);

// Whether a text can be stored in a field of at most maxBytes GBK bytes.
enum class GbkFit { Fits, TooLong, NotGbk };
GbkFit FitGbk(std::string_view utf8, size_t maxBytes);

// The longest head of a text whose GBK form fits `maxBytes`; characters
// without a GBK form are dropped.
std::string CutToGbkBytes(const std::string& utf8, size_t maxBytes);

}  // namespace tarvolen
