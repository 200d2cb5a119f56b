// Any bytes as the shop's terms and conditions (termcondition.txt) give a
// text, as the dialog shows it. Saved, the text reads back the same, and
// the file then stays the same.
#include "FuzzShop.h"

#include "core/settings/TermsAndConditions.h"
#include "core/text/AtomicFile.h"
#include "core/text/ReadFile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using qs::fuzz::check;
    using qs::fuzz::checkSame;
    const qs::fuzz::FuzzShop shop;
    const std::string path = shop.dataFile(qs::termsFileName);
    qs::writeFileAtomically(path, qs::fuzz::bytesOf(data, size));

    // The dialog's text box ends its lines with LF.
    const std::string first = qs::readTerms(path, "\n");
    qs::writeTerms(path, first);
    const std::string written = qs::readFileBytes(path);
    const std::string second = qs::readTerms(path, "\n");
    checkSame(first, second, "the text comes back");
    qs::writeTerms(path, second);
    checkSame(written, qs::readFileBytes(path), "termcondition.txt stays the same");
    return 0;
}
