#pragma once

#include <string>
#include <string_view>

namespace tarsek {

/// Converts GB18030 bytes (a superset of GBK, the code page well files have always been
/// written in) to UTF-8. False, with out untouched, when the bytes are not valid GB18030.
bool gb18030ToUtf8(std::string_view bytes, std::string& out);

/// Converts UTF-8 text to GB18030 bytes; a GBK-representable text gives the same bytes as GBK.
/// False, with out untouched, when the text is not valid UTF-8 or holds a character that
/// GB18030 cannot encode.
bool utf8ToGb18030(std::string_view text, std::string& out);

/// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool isValidUtf8(std::string_view bytes) noexcept;

/// The code points of well-formed UTF-8 text; false when the text is not well-formed.
bool decodeUtf8(std::string_view text, std::u32string& out);

}  // namespace tarsek
