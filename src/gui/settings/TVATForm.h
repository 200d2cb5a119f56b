#pragma once

#include "core/settings/VatDetails.h"

#include "gui/ui/OkCancelDialog.h"

#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

class TVATCodeModForm;
class TVATCountryForm;

// "VAT Details": whether prices include VAT or VAT is not calculated at all,
// and the VAT codes of shop.tax with their rates. Owns the two dialogs it
// opens: Modify VAT Code and Special VAT Rates by Country.
class TVATForm : public OkCancelDialog {
    Q_OBJECT
public:
    TVATForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Reads shop.tax and the tax action and shows the dialog. True when it
    // closed with OK; false also when shop.tax could not be read (told).
    bool execute();

    static constexpr int helpTopic = 33;

    QGroupBox* PriceGroup = nullptr;
    QRadioButton* IncludedBtn = nullptr;
    QRadioButton* NotIncludedBtn = nullptr;
    QGroupBox* GeneralGroup = nullptr;
    QTableWidget* CodeGrid = nullptr;
    QPushButton* AddBtn = nullptr;
    QPushButton* ModifyBtn = nullptr;
    QPushButton* RemoveBtn = nullptr;
    QCheckBox* NoVATBox = nullptr;
    QPushButton* AdvancedBtn = nullptr;

    TVATCodeModForm& codeModForm() const { return *codeModForm_; }
    TVATCountryForm& countryForm() const { return *countryForm_; }

private:
    void showCodes(int selected);
    void applyNoVat();
    // Shows Modify VAT Code until what it holds is stored or it is cancelled,
    // so that a refused entry can be put right instead of typed again.
    void editCode(const qs::VatCode& shown, const std::function<bool(const qs::VatCode&)>& store);
    void addCode();
    void modifyCode();
    void removeCode();
    bool save();
    void confirm() override;
    void advanced();

    qs::AppState& state_;
    qs::UserInterface& ui_;
    qs::VatDetails details_;
    TVATCodeModForm* codeModForm_;
    TVATCountryForm* countryForm_;
};

} // namespace qs::gui
