#include "core/settings/CustomFields.h"

#include "core/app/AppState.h"
#include "core/text/IntegerText.h"
#include "core/ui/UserInterface.h"

#include <stdexcept>

namespace qs {

bool CustomFieldsCommand(AppState& state, UserInterface& ui)
{
    int count = 0;
    do {
        const auto answer =
            ui.inputText(customFieldsCaption, customFieldsPrompt, state.ShopFields.value("CustomMax"));
        if (!answer)
            return false;
        try {
            count = toInt32(*answer);
        } catch (const std::exception&) {
        }
    } while (count < 0 || count > 10);
    state.ShopFields.setValue("CustomMax", std::to_string(count));
    state.SettingsModified = true;
    return true;
}

} // namespace qs
