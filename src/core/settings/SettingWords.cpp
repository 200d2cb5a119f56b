#include "core/settings/SettingWords.h"

#include "core/settings/StoredText.h"
#include "core/text/CaseFold.h"
#include "core/text/NameValueList.h"

#include <algorithm>
#include <array>

namespace qs {

namespace {

struct WordSetting {
    std::string_view name;
    std::vector<std::string_view> words; // in lower case
};

const std::array<WordSetting, 8>& wordSettings()
{
    static const std::array<WordSetting, 8> settings = {{
        {"taxaction", {"include", "exclude", "ignore"}},
        {"shipmethod", {"perzoneweight", "perzone", "percentage"}},
        {"postvatinc", {"yes", "no"}},
        {"paymethod", {"none", "credit card", "netbanx", "secure trading", "worldpay", "qstlpay"}},
        {"phoneback", {"yes", "no"}},
        {"snailorder", {"yes", "no"}},
        {"invoice", {"yes", "no"}},
        {"save_user_details", {"on", "off"}},
    }};
    return settings;
}

} // namespace

std::string settingWord(const NameValueList& settings, std::string_view name)
{
    return lowerCased(strippedText(settings.value(name)));
}

std::vector<UnknownSettingWord> unknownSettingWords(const NameValueList& settings)
{
    std::vector<UnknownSettingWord> unknown;
    for (const WordSetting& setting : wordSettings()) {
        const std::string word = settingWord(settings, setting.name);
        if (word.empty() ||
            std::find(setting.words.begin(), setting.words.end(), word) != setting.words.end())
            continue;
        unknown.push_back(
            {std::string(setting.name), std::string(settings.value(setting.name)), setting.words});
    }
    return unknown;
}

} // namespace qs
