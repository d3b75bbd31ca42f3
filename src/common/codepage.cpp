#include "common/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace tarsek {
namespace {

// One whole conversion through glibc's iconv; any invalid or incomplete sequence fails the
// conversion rather than being skipped, because a silently altered well number would name
// another file.
bool convert(const char* to, const char* from, std::string_view in, std::string& out) {
  // ASCII reads the same in both encodings; such text (most well files) needs no converter.
  bool ascii = true;
  for (char c : in) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) {
    out = std::string(in);
    return true;
  }
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string result;
  std::vector<char> buf(in.size() * 4 + 16);
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  bool ok = true;
  while (inLeft > 0) {
    char* outPtr = buf.data();
    std::size_t outLeft = buf.size();
    const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    result.append(buf.data(), buf.size() - outLeft);
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      ok = false;
      break;
    }
    // glibc's translit fallbacks report them as irreversible conversions: refuse those too.
    if (r != static_cast<std::size_t>(-1) && r > 0) {
      ok = false;
      break;
    }
  }
  if (ok) {
    char* outPtr = buf.data();
    std::size_t outLeft = buf.size();
    if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) ok = false;
    result.append(buf.data(), buf.size() - outLeft);
  }
  iconv_close(cd);
  if (ok) out = std::move(result);
  return ok;
}

}  // namespace

bool gb18030ToUtf8(std::string_view bytes, std::string& out) {
  return convert("UTF-8", "GB18030", bytes, out);
}

bool utf8ToGb18030(std::string_view text, std::string& out) {
  if (!isValidUtf8(text)) return false;
  return convert("GB18030", "UTF-8", text, out);
}

bool decodeUtf8(std::string_view text, std::u32string& out) {
  std::u32string result;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    char32_t cp;
    std::size_t len;
    char32_t min;
    if (b0 < 0x80) {
      cp = b0;
      len = 1;
      min = 0;
    } else if ((b0 & 0xE0) == 0xC0) {
      cp = b0 & 0x1F;
      len = 2;
      min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
      cp = b0 & 0x0F;
      len = 3;
      min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
      cp = b0 & 0x07;
      len = 4;
      min = 0x10000;
    } else {
      return false;
    }
    if (i + len > text.size()) return false;
    for (std::size_t k = 1; k < len; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    result += cp;
    i += len;
  }
  out = std::move(result);
  return true;
}

bool isValidUtf8(std::string_view bytes) noexcept {
  try {
    std::u32string scratch;
    return decodeUtf8(bytes, scratch);
  } catch (...) {
    return false;
  }
}

}  // namespace tarsek
