#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs {

class NameValueList;

// Settings that hold one of a few fixed words (taxaction, shipmethod,
// postvatinc, paymethod and the like) are read by one rule, here and in the
// shop's scripts alike: without regard to case or to the blanks around the
// word. An empty setting is not set.
std::string settingWord(const NameValueList& settings, std::string_view name);

// A setting whose word the shop does not know, with the words it does.
struct UnknownSettingWord {
    std::string name;
    std::string value; // as stored
    std::vector<std::string_view> known;

    bool operator==(const UnknownSettingWord&) const = default;
};

// Every setting of fixed words that holds another, in a fixed order.
std::vector<UnknownSettingWord> unknownSettingWords(const NameValueList& settings);

} // namespace qs
