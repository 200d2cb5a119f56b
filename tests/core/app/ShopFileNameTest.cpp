#include "core/app/ShopFileName.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(ShopFileName, IsPlainAsciiTheCatalogueAndTheWebServerReadAlike)
{
    struct Case {
        const char* diskName; // UTF-8, or any bytes
        const char* shared;
    };
    const Case cases[] = {
        {"pic.jpg", "pic.jpg"},
        {"Summer Hat (blue) #2.jpg", "Summer Hat (blue) #2.jpg"},
        {"caf\xC3\xA9.png", "cafe.png"},
        {"\xC5\x81\xC3\xB3\x64\xC5\xBA.jpg", "Lodz.jpg"}, // Łódź: not in Windows-1252 at all
        {"Stra\xC3\x9F"
         "e \xC3\x86gir.gif",
         "Strasse AEgir.gif"}, // ß and Æ become two letters
        {"\xE2\x82\xAC"
         "5.jpg",
         "_5.jpg"},                        // no letters for the euro sign either
        {"\xF0\x9F\x98\x80.jpg", "_.jpg"}, // no letters for an emoji
        {"caf\xE9.png", "caf_.png"},       // bytes that are no UTF-8
        {"a:b.jpg", "a_b.jpg"},            // the catalogue file's separator
        {"a\tb.jpg", "a_b.jpg"},           // a control
        {".hidden.jpg", "_hidden.jpg"},    // the export leaves hidden files behind
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.diskName);
        const std::string shared = shopFileName(c.diskName);
        EXPECT_EQ(shared, c.shared);
        EXPECT_TRUE(isShopFileName(shared));
        EXPECT_EQ(isShopFileName(c.diskName), shared == c.diskName);
        EXPECT_EQ(shopFileName(shared), shared);
    }
}

} // namespace
} // namespace qs
