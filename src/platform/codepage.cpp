#include "platform/codepage.h"

#include <iconv.h>

#include <cerrno>

namespace fusefuda {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

class Converter {
public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Back to the initial shift state, as a fresh converter starts.
    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

    // Converts as much of [in, in + inLeft) as it can into out. Returns 0 when
    // everything was converted, otherwise errno of the failure (EILSEQ or
    // EINVAL) with in and inLeft at the offending sequence.
    int convert(const char *&in, std::size_t &inLeft, std::string &out) {
        char buffer[256];
        while (inLeft > 0) {
            char *inPtr = const_cast<char *>(in);
            char *outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            in = inPtr;
            if (result != static_cast<std::size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            const int error = errno;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            return error;
        }
        return 0;
    }

private:
    iconv_t cd_;
};

// How many bytes to step over after a character that cannot be converted:
// the lead byte and the continuation bytes that belong to it, so that a
// malformed sequence never swallows the character after it.
std::size_t utf8SkipLength(const char *in, std::size_t left) {
    const unsigned char lead = static_cast<unsigned char>(in[0]);
    std::size_t expected = 1;
    if (lead >= 0xF0 && lead <= 0xF4) expected = 4;
    else if (lead >= 0xE0 && lead <= 0xEF) expected = 3;
    else if (lead >= 0xC2 && lead <= 0xDF) expected = 2;
    std::size_t n = 1;
    while (n < expected && n < left && (static_cast<unsigned char>(in[n]) & 0xC0) == 0x80) ++n;
    return n;
}

}  // namespace

std::string cp932ToUtf8(std::string_view bytes) {
    std::string out;
    // Opening a converter costs far more than converting a name: one a
    // thread and direction, kept.
    thread_local Converter cd("UTF-8", "CP932");
    if (!cd.ok()) return out;
    cd.reset();
    const char *in = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        if (cd.convert(in, left, out) == 0) break;
        out += kReplacement;
        ++in;
        --left;
    }
    return out;
}

std::string utf8ToCp932(std::string_view utf8) {
    std::string out;
    thread_local Converter cd("CP932", "UTF-8");
    if (!cd.ok()) return out;
    cd.reset();
    const char *in = utf8.data();
    std::size_t left = utf8.size();
    while (left > 0) {
        if (cd.convert(in, left, out) == 0) break;
        const std::size_t skip = utf8SkipLength(in, left);
        in += skip;
        left -= skip;
    }
    return out;
}

std::string cp932Prefix(std::string_view bytes, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < bytes.size()) {
        const std::size_t width =
            isCp932LeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
        if (end + width > maxBytes) break;
        end += width;
    }
    if (end > bytes.size()) end = bytes.size();
    return std::string(bytes.substr(0, end));
}

}  // namespace fusefuda
