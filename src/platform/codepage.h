// Names and settings text are kept as Japanese code page 932 bytes, so that
// stored files move between machines unchanged; the user interface works in
// Unicode. These convert at that boundary.
#pragma once

#include <string>
#include <string_view>

namespace fusefuda {

// Code page 932 bytes to UTF-8. A byte sequence that code page 932 does not
// define becomes U+FFFD, one per offending byte, and the rest is kept.
std::string cp932ToUtf8(std::string_view bytes);

// UTF-8 to code page 932 bytes. Characters that code page 932 cannot hold, and
// malformed UTF-8, are left out.
std::string utf8ToCp932(std::string_view utf8);

// The longest prefix of bytes of at most maxBytes bytes that does not cut a
// double-byte character in two.
std::string cp932Prefix(std::string_view bytes, std::size_t maxBytes);

// Whether b starts a double-byte character in code page 932.
inline bool isCp932LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace fusefuda
