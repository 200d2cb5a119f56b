#include "gui/settings/TVaryForm.h"

#include "core/app/AppState.h"
#include "gui/text/Encoding.h"
#include "gui/ui/DialogParts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace qs::gui {

namespace {

QGroupBox* group(const char* title, QListWidget* list, std::initializer_list<QWidget*> buttons)
{
    auto* row = new QHBoxLayout;
    for (QWidget* b : buttons)
        row->addWidget(b);
    row->addStretch(1);
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(list);
    layout->addLayout(row);
    return box;
}

} // namespace

TVaryForm::TVaryForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Product Options", {}, parent), options_(state, state, ui)
{
    VaryBox = new QListWidget;
    AddVarBtn = plainButton("&Add...");
    BitBtn3 = plainButton("&Edit...");
    BitBtn4 = plainButton("De&lete");
    OptionBox = new QListWidget;
    AddOptionBtn = plainButton("A&dd...");
    BitBtn2 = plainButton("Ed&it...");
    BitBtn5 = plainButton("Dele&te");
    SpeedButton1 = arrowButton(Qt::UpArrow);
    SpeedButton2 = arrowButton(Qt::DownArrow);

    connect(VaryBox, &QListWidget::itemSelectionChanged, this, [this] { showVariations(-1); });
    connect(VaryBox, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        options_.setTicked(VaryBox->row(item), item->checkState() == Qt::Checked);
    });
    connect(AddVarBtn, &QPushButton::clicked, this, &TVaryForm::addOption);
    connect(BitBtn3, &QPushButton::clicked, this, &TVaryForm::editOption);
    connect(BitBtn4, &QPushButton::clicked, this, &TVaryForm::deleteOption);
    connect(AddOptionBtn, &QPushButton::clicked, this, &TVaryForm::addVariation);
    connect(BitBtn2, &QPushButton::clicked, this, &TVaryForm::editVariation);
    connect(BitBtn5, &QPushButton::clicked, this, &TVaryForm::deleteVariation);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { moveVariation(-1); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { moveVariation(1); });

    auto* groups = new QHBoxLayout;
    groups->addWidget(group(" Options:- ", VaryBox, {AddVarBtn, BitBtn3, BitBtn4}));
    groups->addWidget(group(" Variations:- ", OptionBox, {AddOptionBtn, BitBtn2, BitBtn5}));
    groups->addLayout(arrowColumn(SpeedButton1, SpeedButton2));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(frameButtonRow());
}

std::optional<std::string> TVaryForm::editOptions(const std::string& value)
{
    if (!options_.open(value))
        return std::nullopt;
    showOptions(-1);
    VaryBox->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return result_;
}

void TVaryForm::showOptions(int option)
{
    {
        const QSignalBlocker quiet(VaryBox);
        VaryBox->clear();
        const auto& table = options_.options();
        for (std::size_t i = 0; i < table.size(); ++i) {
            auto* item = new QListWidgetItem(fromBytes(table[i].name), VaryBox);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(options_.ticked(static_cast<int>(i)) ? Qt::Checked : Qt::Unchecked);
        }
        VaryBox->setCurrentRow(option);
    }
    showVariations(-1);
}

void TVaryForm::showVariations(int variation)
{
    OptionBox->clear();
    const int option = selectedRow(VaryBox);
    if (option < 0)
        return;
    for (const std::string& text : options_.options()[static_cast<std::size_t>(option)].variations)
        OptionBox->addItem(fromBytes(text));
    OptionBox->setCurrentRow(variation);
}

void TVaryForm::addOption()
{
    if (options_.addOption())
        showOptions(static_cast<int>(options_.options().size()) - 1);
}

void TVaryForm::editOption()
{
    const int option = selectedRow(VaryBox);
    if (options_.editOption(option))
        showOptions(option);
}

void TVaryForm::deleteOption()
{
    if (options_.deleteOption(selectedRow(VaryBox)))
        showOptions(-1);
}

void TVaryForm::addVariation()
{
    if (options_.addVariation(selectedRow(VaryBox)))
        showVariations(OptionBox->count());
}

void TVaryForm::editVariation()
{
    const int variation = selectedRow(OptionBox);
    if (options_.editVariation(selectedRow(VaryBox), variation))
        showVariations(variation);
}

void TVaryForm::deleteVariation()
{
    if (options_.deleteVariation(selectedRow(VaryBox), selectedRow(OptionBox)))
        showVariations(-1);
}

void TVaryForm::moveVariation(int step)
{
    showVariations(options_.moveVariation(selectedRow(VaryBox), selectedRow(OptionBox), step));
}

void TVaryForm::confirm()
{
    // A file that could not be written keeps the dialog open: nothing typed
    // is lost, and Cancel leaves the old value.
    if (std::optional<std::string> value = options_.confirm()) {
        result_ = std::move(*value);
        accept();
    }
}

} // namespace qs::gui
