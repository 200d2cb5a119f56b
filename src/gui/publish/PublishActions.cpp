#include "gui/publish/PublishActions.h"

#include "core/app/AppState.h"
#include "core/publish/Exporter.h"
#include "core/publish/OrderReadiness.h"
#include "core/publish/Preview.h"
#include "core/text/FileError.h"
#include "core/ui/UserInterface.h"
#include "gui/app/HelpViewer.h"
#include "gui/app/ShopActions.h"
#include "gui/app/TCMForm.h"
#include "gui/publish/TPreviewSettingsForm.h"
#include "gui/settings/TLocationForm.h"
#include "gui/settings/TMercDetailsForm.h"
#include "gui/text/Encoding.h"

#include <QAction>
#include <QCoreApplication>
#include <QProcess>

namespace qs::gui {

PublishActions::PublishActions(TCMForm& form, qs::AppState& app, qs::UserInterface& ui, ShopActions& shop)
    : QObject(&form), form_(form), app_(app), ui_(ui), shop_(shop),
      previewSettingsForm_(new TPreviewSettingsForm(app, ui, settings_, &form))
{
    settings_.load(app_);
    connectMenus();
}

void PublishActions::connectMenus()
{
    const TCMForm::Actions& a = form_.actions();
    connect(a.exportData, &QAction::triggered, this, &PublishActions::exportData);
    connect(a.viewPreview, &QAction::triggered, this, [this] { viewPreview(qs::PreviewPage::Shop); });
    connect(a.previewAdmin, &QAction::triggered, this,
            [this] { viewPreview(qs::PreviewPage::Administrators); });
    connect(a.previewSettings, &QAction::triggered, this, &PublishActions::previewSettings);
    connect(previewSettingsForm_, &TPreviewSettingsForm::helpRequested, &form_.helpViewer(),
            &HelpViewer::showTopic);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &PublishActions::programEnds);
}

void PublishActions::exportData()
{
    form_.runCommand([this] { exportShop(qs::ExportRun::Alone); });
}

qs::ExportOutcome PublishActions::exportShop(qs::ExportRun run)
{
    const qs::ExportDialogs dialogs{[this] {
                                        shop_.mercDetailsForm().execute();
                                        return true;
                                    },
                                    [this] { return shop_.locationForm().execute(); },
                                    [this](const std::vector<std::string>& warnings) {
                                        if (ui_.ask(qs::exportDespiteQuestion(warnings), MessageKind::Warning,
                                                    Buttons::YesNo) == Answer::Yes)
                                            return true;
                                        offerFirstUnreadableProduct();
                                        return false;
                                    }};
    return qs::ExportCommand(app_, ui_, dialogs, run);
}

void PublishActions::offerFirstUnreadableProduct()
{
    const qs::TNewProduct* product = qs::firstUnreadableProduct(app_);
    if (!product)
        return;
    if (ui_.ask(qs::showUnreadableProductQuestion(*product), MessageKind::Confirmation, Buttons::YesNo) ==
        Answer::Yes)
        form_.goToProduct(product);
}

void PublishActions::viewPreview(qs::PreviewPage page)
{
    const qs::PreviewHandlers handlers{[this] { previewSettingsForm_->execute(); }, startDetached};
    form_.runCommand([&] { qs::PreviewCommand(app_, ui_, settings_, server_, handlers, page); });
}

void PublishActions::previewSettings()
{
    form_.runCommand([this] { previewSettingsForm_->execute(); });
}

void PublishActions::programEnds()
{
    server_.stop();
    try {
        settings_.save(app_);
    } catch (const qs::FileError& error) {
        ui_.message(error.what(), MessageKind::Error);
    }
}

bool PublishActions::startDetached(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << fromBytes(argument);
    return QProcess::startDetached(fromBytes(program), list);
}

} // namespace qs::gui
