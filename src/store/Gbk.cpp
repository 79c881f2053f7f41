#include "store/Gbk.h"

#include <algorithm>

#include "store/TextCells.h"

#include <cerrno>
#include <iconv.h>

namespace tarvolen {
namespace {

// iconv descriptors are not thread-safe, but the core runs on one thread;
// each call opens its own to stay simple and re-entrant.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

Result<std::string> ToGbk(std::string_view utf8) {
  Converter conv("GBK", "UTF-8");
  if (!conv.valid()) return Status(ErrorCode::BadText, "iconv has no GBK converter");
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(conv.get(), &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
      if (errno == E2BIG) {  // cannot happen with 2x room, but stay safe
        size_t used = static_cast<size_t>(outPtr - out.data());
        out.resize(out.size() * 2);
        outPtr = out.data() + used;
        outLeft = out.size() - used;
        continue;
      }
      return Status(ErrorCode::BadText, "text has a character that GBK cannot store");
    }
  }
  out.resize(static_cast<size_t>(outPtr - out.data()));
  return out;
}

std::string FromGbk(std::string_view gbk) {
  static constexpr char kReplacement[] = "\xEF\xBF\xBD";
  // Below 0x80 GBK is ASCII, the same bytes in UTF-8. Most stored strings are
  // empty or plain ASCII, and opening a converter costs far more than them.
  if (std::all_of(gbk.begin(), gbk.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return std::string(gbk);
  }
  Converter conv("UTF-8", "GBK");
  std::string out;
  if (!conv.valid()) return out;
  out.reserve(gbk.size() * 2);
  char* in = const_cast<char*>(gbk.data());
  size_t inLeft = gbk.size();
  char buf[256];
  while (inLeft > 0) {
    char* outPtr = buf;
    size_t outLeft = sizeof buf;
    size_t r = iconv(conv.get(), &in, &inLeft, &outPtr, &outLeft);
    out.append(buf, static_cast<size_t>(outPtr - buf));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: one bad byte becomes one replacement character.
      out += kReplacement;
      ++in;
      --inLeft;
      iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

long GbkLength(std::string_view utf8) {
  auto r = ToGbk(utf8);
  return r.ok() ? static_cast<long>(r->size()) : -1;
}

GbkFit FitGbk(std::string_view utf8, size_t maxBytes) {
  const long bytes = GbkLength(utf8);
  if (bytes < 0) return GbkFit::NotGbk;
  return static_cast<size_t>(bytes) <= maxBytes ? GbkFit::Fits : GbkFit::TooLong;
}

std::string CutToGbkBytes(const std::string& utf8, size_t maxBytes) {
  std::string out;
  size_t bytes = 0;
  const size_t count = CharacterCount(utf8);
  for (size_t i = 0; i < count; ++i) {
    std::string ch = SliceCharacters(utf8, i, 1);
    long n = GbkLength(ch);
    if (n < 0) continue;
    if (bytes + static_cast<size_t>(n) > maxBytes) break;
    bytes += static_cast<size_t>(n);
    out += ch;
  }
  return out;
}

}  // namespace tarvolen
