#include "model/grapheme_breaks.hpp"

#include <algorithm>
#include <memory>
#include <unicode/ubrk.h>
#include <unicode/utext.h>

namespace folimo {
namespace {

struct CloseText {
    void operator()(UText* text) const { utext_close(text); }
};
struct CloseBreaks {
    void operator()(UBreakIterator* breaks) const { ubrk_close(breaks); }
};

} // namespace

std::size_t graphemePrefix(std::string_view text, std::size_t maxCharacters, std::size_t maxBytes) {
    // A character takes at least one byte.
    if (text.size() <= std::min(maxCharacters, maxBytes)) return text.size();
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UText, CloseText> utf8(
        utext_openUTF8(nullptr, text.data(), std::int64_t(text.size()), &status));
    std::unique_ptr<UBreakIterator, CloseBreaks> breaks(
        ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status));
    if (U_SUCCESS(status)) ubrk_setUText(breaks.get(), utf8.get(), &status);
    // Without ICU's break rules (its data missing), fall back to cutting between code points.
    auto next = [&](std::size_t at) -> std::size_t {
        if (U_SUCCESS(status)) {
            const int32_t boundary = ubrk_following(breaks.get(), int32_t(at));
            return boundary == UBRK_DONE ? text.size() : std::size_t(boundary);
        }
        do
            ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80);
        return at;
    };
    std::size_t end = 0;
    for (std::size_t count = 0; count < maxCharacters && end < text.size(); ++count) {
        const std::size_t following = next(end);
        if (following > maxBytes) break;
        end = following;
    }
    return end;
}

} // namespace folimo
