#include "core/app/ShopFileName.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>

namespace qs {
namespace {

constexpr char replacement = '_';

bool isSharedCharacter(char32_t c)
{
    return c >= 0x20 && c <= 0x7E && c != ':';
}

// Latin letters for any script, then the letters' accents removed; made once,
// as building it reads ICU's rules.
const icu::Transliterator* toAscii()
{
    static const std::unique_ptr<icu::Transliterator> transliterator = [] {
        UErrorCode error = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> made(
            icu::Transliterator::createInstance("Any-Latin; Latin-ASCII", UTRANS_FORWARD, error));
        return U_SUCCESS(error) ? std::move(made) : nullptr;
    }();
    return transliterator.get();
}

} // namespace

bool isShopFileName(std::string_view name)
{
    return !name.empty() && name.front() != '.' && std::all_of(name.begin(), name.end(), [](char c) {
        return isSharedCharacter(static_cast<unsigned char>(c));
    });
}

std::string shopFileName(std::string_view diskName)
{
    if (isShopFileName(diskName) || diskName.empty())
        return std::string(diskName);
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(diskName.data(), static_cast<int32_t>(diskName.size())));
    if (const icu::Transliterator* ascii = toAscii())
        ascii->transliterate(text);
    std::string name;
    for (int32_t at = 0; at < text.length(); at = text.moveIndex32(at, 1)) {
        const auto c = static_cast<char32_t>(text.char32At(at));
        name.push_back(isSharedCharacter(c) ? static_cast<char>(c) : replacement);
    }
    if (name.empty())
        name.push_back(replacement);
    if (name.front() == '.')
        name.front() = replacement;
    return name;
}

} // namespace qs
