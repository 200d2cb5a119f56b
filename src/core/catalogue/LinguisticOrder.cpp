#include "core/catalogue/LinguisticOrder.h"

#include "core/text/Cp1252.h"

#include <stdexcept>
#include <unicode/ucol.h>

namespace qs {
namespace {

std::u16string toUtf16(std::string_view text)
{
    std::u16string result;
    result.reserve(text.size());
    for (char c : text)
        result.push_back(static_cast<char16_t>(cp1252ToUnicode(static_cast<unsigned char>(c))));
    return result;
}

} // namespace

LinguisticOrder::LinguisticOrder()
{
    UErrorCode status = U_ZERO_ERROR;
    collator_ = ucol_open("", &status);
    if (U_FAILURE(status) || !collator_)
        throw std::runtime_error("The collation for sorting is not available");
}

LinguisticOrder::~LinguisticOrder()
{
    ucol_close(collator_);
}

std::string LinguisticOrder::sortKey(std::string_view text) const
{
    std::string key;
    appendSortKey(key, text);
    return key;
}

void LinguisticOrder::appendSortKey(std::string& keys, std::string_view text) const
{
    const std::u16string wide = toUtf16(text);
    const std::size_t start = keys.size();
    keys.resize(start + wide.size() * 4 + 16);
    for (;;) {
        const auto room = static_cast<int32_t>(keys.size() - start);
        const int32_t needed = ucol_getSortKey(collator_, wide.data(), static_cast<int32_t>(wide.size()),
                                               reinterpret_cast<uint8_t*>(keys.data() + start), room);
        if (needed <= room) {
            // The key ends with a zero byte, which plain comparison does not need.
            keys.resize(start + (needed > 0 ? static_cast<std::size_t>(needed) - 1 : 0));
            return;
        }
        keys.resize(start + static_cast<std::size_t>(needed));
    }
}

bool LinguisticOrder::less(std::string_view a, std::string_view b) const
{
    const std::u16string wa = toUtf16(a);
    const std::u16string wb = toUtf16(b);
    return ucol_strcoll(collator_, wa.data(), static_cast<int32_t>(wa.size()), wb.data(),
                        static_cast<int32_t>(wb.size())) == UCOL_LESS;
}

} // namespace qs
