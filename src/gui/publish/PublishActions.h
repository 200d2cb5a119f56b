#pragma once

#include "core/publish/Exporter.h"
#include "core/publish/LocalWebServer.h"
#include "core/publish/Preview.h"
#include "core/publish/PreviewSettings.h"

#include <QObject>

#include <string>
#include <vector>

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

class ShopActions;
class TCMForm;
class TPreviewSettingsForm;

// The publishing commands of the main window's menus: Export Data for Upload,
// View Preview, the preview's Administrators' Pages and Preview Settings. It owns the preview's settings, their
// dialog and the local web server the preview may start, which all live as
// long as the window.
class PublishActions : public QObject {
    Q_OBJECT
public:
    // The export opens the shop commands' Merchant Details and Location
    // Details dialogs when the shop lacks its mail settings, and asks whether
    // to export a shop that cannot take orders properly. Reads the preview
    // settings.
    PublishActions(TCMForm& form, qs::AppState& app, qs::UserInterface& ui, ShopActions& shop);

    void exportData();
    // The export, its failures thrown: on its own, or as the first step of an upload.
    qs::ExportOutcome exportShop(qs::ExportRun run);
    // The shop, or its administrators' pages, in the preview.
    void viewPreview(qs::PreviewPage page);
    void previewSettings();
    // As the program ends: writes the preview settings and stops the local web server.
    void programEnds();

    TPreviewSettingsForm& previewSettingsForm() const { return *previewSettingsForm_; }
    qs::PreviewSettings& settings() { return settings_; }
    qs::LocalWebServer& server() { return server_; }

private:
    void connectMenus();
    // After an export stopped on its warnings: offers to show the first
    // product whose price or weight the shop cannot read.
    void offerFirstUnreadableProduct();
    static bool startDetached(const std::string& program, const std::vector<std::string>& arguments);

    TCMForm& form_;
    qs::AppState& app_;
    qs::UserInterface& ui_;
    ShopActions& shop_;
    qs::PreviewSettings settings_;
    qs::LocalWebServer server_;
    TPreviewSettingsForm* previewSettingsForm_;
};

} // namespace qs::gui
