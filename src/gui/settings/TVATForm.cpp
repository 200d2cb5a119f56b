#include "gui/settings/TVATForm.h"

#include "core/app/AppState.h"
#include "gui/settings/TVATCodeModForm.h"
#include "gui/settings/TVATCountryForm.h"
#include "gui/text/Encoding.h"
#include "gui/ui/DialogParts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qs::gui {

TVATForm::TVATForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("VAT Details", {.ok = "&OK", .cancel = "&Cancel", .helpTopic = helpTopic}, parent),
      state_(state), ui_(ui), codeModForm_(new TVATCodeModForm(ui, this)),
      countryForm_(new TVATCountryForm(state, ui, this))
{
    auto* intro =
        new QLabel("Quaystall DB automatically calculates the VAT charge on orders. This dialog box "
                   "allows you to set the VAT-relevant details for your catalogue.");
    intro->setWordWrap(true);
    PriceGroup = new QGroupBox(" Price Details:- ");
    IncludedBtn = new QRadioButton("VAT is &included in the product price for VAT-able products");
    NotIncludedBtn = new QRadioButton("VAT is &not included in the product price");
    auto* price = new QVBoxLayout(PriceGroup);
    price->addWidget(IncludedBtn);
    price->addWidget(NotIncludedBtn);

    GeneralGroup = new QGroupBox(" General Details:- ");
    CodeGrid = new QTableWidget(0, 3);
    CodeGrid->setHorizontalHeaderLabels({"VAT Code", "VAT Rate (%)", "Description"});
    CodeGrid->horizontalHeader()->setStretchLastSection(true);
    CodeGrid->verticalHeader()->hide();
    CodeGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    CodeGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    CodeGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AddBtn = plainButton("&Add");
    ModifyBtn = plainButton("&Modify");
    RemoveBtn = plainButton("&Remove");
    auto* codeButtons = new QVBoxLayout;
    codeButtons->addWidget(AddBtn);
    codeButtons->addWidget(ModifyBtn);
    codeButtons->addWidget(RemoveBtn);
    codeButtons->addStretch(1);
    auto* codes = new QHBoxLayout;
    codes->addWidget(CodeGrid, 1);
    codes->addLayout(codeButtons);
    auto* general = new QVBoxLayout(GeneralGroup);
    general->addLayout(codes);
    general->addWidget(new QLabel("(Products with other tax codes are treated as non-VAT-able.)"));

    NoVATBox = new QCheckBox("Do not &perform any VAT calculations at all");
    AdvancedBtn = plainButton("Ad&vanced  >>");
    connect(AddBtn, &QPushButton::clicked, this, &TVATForm::addCode);
    connect(ModifyBtn, &QPushButton::clicked, this, &TVATForm::modifyCode);
    connect(CodeGrid, &QTableWidget::cellDoubleClicked, this, &TVATForm::modifyCode);
    connect(RemoveBtn, &QPushButton::clicked, this, &TVATForm::removeCode);
    connect(NoVATBox, &QCheckBox::toggled, this, &TVATForm::applyNoVat);
    connect(AdvancedBtn, &QPushButton::clicked, this, &TVATForm::advanced);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(PriceGroup);
    layout->addWidget(GeneralGroup, 1);
    layout->addWidget(NoVATBox);
    QHBoxLayout* buttons = frameButtonRow();
    buttons->insertWidget(buttons->indexOf(HelpBtn), AdvancedBtn);
    layout->addLayout(buttons);
    resize(560, 460);
}

bool TVATForm::execute()
{
    if (!details_.open(state_.ShopFields, state_.ShopDataDir(), ui_))
        return false;
    showCodes(-1);
    NoVATBox->setChecked(details_.ignoreVat);
    (details_.priceDetails == qs::VatDetails::Included ? IncludedBtn : NotIncludedBtn)->setChecked(true);
    applyNoVat();
    return exec() == QDialog::Accepted;
}

void TVATForm::showCodes(int selected)
{
    const auto& codes = details_.codes;
    // The grid always shows at least one row, empty when there is no code.
    CodeGrid->clearContents();
    CodeGrid->setRowCount(std::max<int>(1, static_cast<int>(codes.size())));
    for (std::size_t row = 0; row < codes.size(); ++row) {
        const int r = static_cast<int>(row);
        CodeGrid->setItem(r, 0, new QTableWidgetItem(fromBytes(codes[row].code)));
        CodeGrid->setItem(r, 1, new QTableWidgetItem(fromBytes(codes[row].rate)));
        CodeGrid->setItem(r, 2, new QTableWidgetItem(fromBytes(codes[row].description)));
    }
    CodeGrid->clearSelection();
    if (selected >= 0)
        CodeGrid->selectRow(selected);
}

void TVATForm::applyNoVat()
{
    PriceGroup->setEnabled(!NoVATBox->isChecked());
    GeneralGroup->setEnabled(!NoVATBox->isChecked());
}

void TVATForm::editCode(const qs::VatCode& shown, const std::function<bool(const qs::VatCode&)>& store)
{
    qs::VatCode typed = shown;
    while (codeModForm_->execute(typed)) {
        typed = codeModForm_->typed();
        if (store(typed))
            return;
    }
}

void TVATForm::addCode()
{
    editCode({}, [this](const qs::VatCode& typed) {
        if (!details_.add(typed.code, typed.rate, typed.description, ui_))
            return false;
        showCodes(static_cast<int>(details_.codes.size()) - 1);
        return true;
    });
}

void TVATForm::modifyCode()
{
    const QList<QTableWidgetSelectionRange> ranges = CodeGrid->selectedRanges();
    const int row = ranges.isEmpty() ? -1 : ranges.front().topRow();
    if (row < 0 || row >= static_cast<int>(details_.codes.size()))
        return;
    editCode(details_.codes[static_cast<std::size_t>(row)], [this, row](const qs::VatCode& typed) {
        if (!details_.modify(static_cast<std::size_t>(row), typed.code, typed.rate, typed.description, ui_))
            return false;
        showCodes(row);
        return true;
    });
}

void TVATForm::removeCode()
{
    const QList<QTableWidgetSelectionRange> ranges = CodeGrid->selectedRanges();
    if (ranges.isEmpty())
        return;
    details_.remove(static_cast<std::size_t>(ranges.front().topRow()));
    showCodes(-1);
}

bool TVATForm::save()
{
    details_.ignoreVat = NoVATBox->isChecked();
    details_.priceDetails =
        NotIncludedBtn->isChecked() ? qs::VatDetails::NotIncluded : qs::VatDetails::Included;
    return details_.accept(state_, state_.ShopDataDir(), ui_);
}

void TVATForm::confirm()
{
    if (save())
        accept();
}

void TVATForm::advanced()
{
    if (save())
        countryForm_->execute();
}

} // namespace qs::gui
