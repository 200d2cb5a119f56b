#include "core/catalogue/FieldNames.h"

#include "core/text/CaseFold.h"

#include <deque>
#include <unordered_map>

namespace qs::FieldNames {
namespace {

class Registry {
public:
    Registry()
    {
        intern(productNameField);
        intern(categoryField);
        for (std::string_view name : fileColumnFields)
            intern(name);
    }

    FieldId intern(std::string_view name)
    {
        if (const auto id = find(name))
            return *id;
        const auto id = static_cast<FieldId>(spellings_.size());
        spellings_.emplace_back(name);
        ids_.emplace(lowerCased(name), id);
        return id;
    }

    std::optional<FieldId> find(std::string_view name) const
    {
        const auto it = ids_.find(lowerCased(name));
        if (it == ids_.end())
            return std::nullopt;
        return it->second;
    }

    std::string_view spelling(FieldId id) const
    {
        return id < spellings_.size() ? std::string_view(spellings_[id]) : std::string_view();
    }

private:
    std::deque<std::string> spellings_; // stable addresses for the returned views
    std::unordered_map<std::string, FieldId> ids_;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

} // namespace

FieldId intern(std::string_view name)
{
    return registry().intern(name);
}
std::optional<FieldId> find(std::string_view name)
{
    return registry().find(name);
}
std::string_view spelling(FieldId id)
{
    return registry().spelling(id);
}

} // namespace qs::FieldNames
