// libFuzzer target: names through the code page 932 conversions both ways and
// the cut to the high-score table's nine bytes. Whatever comes in, what goes
// out is well-formed, and a name that has been through one round trip comes
// through the next unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/highscores.h"
#include "platform/codepage.h"

using namespace fusefuda;

namespace {

bool validUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char lead = static_cast<unsigned char>(s[i]);
        size_t width = 1;
        uint32_t cp = lead;
        if (lead >= 0x80) {
            if (lead >= 0xC2 && lead <= 0xDF) width = 2, cp = lead & 0x1F;
            else if (lead >= 0xE0 && lead <= 0xEF) width = 3, cp = lead & 0x0F;
            else if (lead >= 0xF0 && lead <= 0xF4) width = 4, cp = lead & 0x07;
            else return false;
            if (i + width > s.size()) return false;
            for (size_t k = 1; k < width; ++k) {
                const unsigned char next = static_cast<unsigned char>(s[i + k]);
                if ((next & 0xC0) != 0x80) return false;
                cp = cp << 6 | (next & 0x3F);
            }
            const uint32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
            if (cp < least[width] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        }
        i += width;
    }
    return true;
}

// The cut keeps whole characters only, as many as fit.
void checkCut(std::string_view bytes, size_t limit) {
    const std::string cut = cp932Prefix(bytes, limit);
    if (cut.size() > limit || bytes.substr(0, cut.size()) != cut) std::abort();
    size_t at = 0;
    while (at < cut.size()) at += isCp932LeadByte(static_cast<unsigned char>(cut[at])) ? 2 : 1;
    // Only a lead byte that ends the name itself may stand alone.
    if (at != cut.size() && cut.size() != bytes.size()) std::abort();
    if (cut.size() < bytes.size()) {
        const size_t next = isCp932LeadByte(static_cast<unsigned char>(bytes[cut.size()])) ? 2 : 1;
        if (cut.size() + next <= limit) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string_view input(reinterpret_cast<const char *>(data), size);

    // Stored bytes shown in the window.
    const std::string shown = cp932ToUtf8(input);
    if (!validUtf8(shown)) std::abort();
    const std::string stored = utf8ToCp932(shown);
    const std::string again = cp932ToUtf8(stored);
    if (again.find("\xEF\xBF\xBD") != std::string::npos) std::abort();  // U+FFFD
    if (utf8ToCp932(again) != stored) std::abort();
    if (cp932ToUtf8(utf8ToCp932(again)) != again) std::abort();
    if (shown.find("\xEF\xBF\xBD") == std::string::npos && again != shown) std::abort();

    // A typed name stored for the table.
    const std::string typed = utf8ToCp932(input);
    if (cp932ToUtf8(typed).find("\xEF\xBF\xBD") != std::string::npos) std::abort();
    if (utf8ToCp932(cp932ToUtf8(typed)) != typed) std::abort();
    if (validUtf8(input) && input.find('\0') == std::string_view::npos &&
        typed.size() > input.size() * 2)
        std::abort();
    const std::string name = nameForTable(typed);
    if (name.size() > kNameEntryBytes || !validUtf8(cp932ToUtf8(name))) std::abort();
    if (cp932ToUtf8(name).find("\xEF\xBF\xBD") != std::string::npos) std::abort();

    checkCut(input, size == 0 ? 0 : data[0] % 64);
    checkCut(input, kNameEntryBytes);
    return 0;
}
