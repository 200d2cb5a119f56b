#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace qs {

// A text that should have held a number but does not. The message is the
// system's own text, ready to be shown to the merchant.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static ConversionError notAnInteger(std::string_view text)
    {
        std::string message("'");
        message.append(text).append("' is not a valid integer value");
        return ConversionError(message);
    }
};

} // namespace qs
