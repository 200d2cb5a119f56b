#include "core/publish/Exporter.h"

#include "core/app/AppState.h"
#include "core/app/CatalogueSave.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/publish/HostAdminPassword.h"
#include "core/publish/HostDenyRules.h"
#include "core/publish/MissingPictures.h"
#include "core/publish/OrderReadiness.h"
#include "core/publish/ServerDataFolders.h"
#include "core/publish/UploadCopy.h"
#include "core/publish/UploadFolderAge.h"
#include "core/settings/AdminPassword.h"
#include "core/settings/ShopSettingsFile.h"
#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"
#include "core/text/FileOps.h"
#include "core/text/JoinPath.h"
#include "core/text/ReadFile.h"
#include "core/ui/UserInterface.h"

#include <filesystem>
#include <vector>

namespace qs {

namespace {

bool mailAddressesMissing(const AppState& state)
{
    return state.ShopFields.value("sales_email").empty() || state.ShopFields.value("tech_email").empty();
}

bool mailMethodMissing(const AppState& state)
{
    return state.mailprogram.empty() && (state.web_server.empty() || state.smtp_server.empty());
}

// Makes a folder of the upload tree, unless a link on its way would lead the
// copy out of the upload folder.
bool prepareUploadTarget(const AppState& state, const std::string& folder,
                         std::vector<std::string>& notExported)
{
    if (!staysWithin(folder, uploadFolder(state))) {
        notExported.push_back(folder + " leads out of the upload directory; nothing was copied into it.");
        return false;
    }
    MakeDirPath(folder);
    return true;
}

// The administrators' password file goes with the scripts when the shop has
// one, holding a digest of the password in place of the password, readable
// by its owner only. A digest already there for the same ID and password is
// kept, so that an unchanged password is not sent to the host again. False
// when the shop has none.
bool exportAdminPassword(const AppState& state, const std::string& uploadCGI,
                         std::vector<std::string>& notExported)
{
    const std::string source = AdminPassword::file(state.ShopCGIDir());
    std::error_code ec;
    const std::filesystem::file_type type = std::filesystem::symlink_status(source, ec).type();
    if (type == std::filesystem::file_type::not_found)
        return false;
    if (type != std::filesystem::file_type::regular) {
        notExported.push_back(source + " is not a plain file and was not exported.");
        return true;
    }
    const std::string target = joinPath(uploadCGI, adminPasswordFileName);
    try {
        const AdminPassword admin = AdminPassword::parse(readFileBytes(source));
        if (!admin.refusal().empty()) {
            // Without both the scripts switch the administrators' pages off, as the file says.
            copyFileReplacingOrThrow(source, target, AtomicFileWriter::Leftovers::RemoveFirst,
                                     FileAccess::OwnerOnly);
            return true;
        }
        std::error_code ec;
        if (std::filesystem::is_regular_file(target, ec) &&
            hostAdminPasswordMatches(readFileBytes(target), admin))
            return true;
        AtomicFileWriter writer(target, AtomicFileWriter::Leftovers::RemoveFirst, FileAccess::OwnerOnly);
        writer.write(hostAdminPasswordLine(admin, newPasswordSalt()));
        writer.commit();
    } catch (const FileError& error) {
        notExported.emplace_back(error.what());
    }
    return true;
}

void append(std::vector<std::string>& to, std::vector<std::string> more)
{
    to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

// The data files, then the pictures; a missing data folder is told, and the
// pictures then stay behind.
void copyDataAndImages(AppState& state, UserInterface& ui, std::vector<std::string>& notExported)
{
    const std::vector<std::string> shopFolders{state.ShopCGIDir(), state.LocImg};
    const std::string uploadData = joinPath(uploadCGIDir(state), "data");
    const bool dataTarget = prepareUploadTarget(state, uploadData, notExported);
    if (!DirExists(state.ShopDataDir())) {
        notExported.push_back("The local data directory specified (" + state.ShopDataDir() +
                              ") does not exist.");
        return;
    }
    if (dataTarget) {
        append(notExported, copyFolderForUpload(state.ShopDataDir(), uploadData, shopFolders, ui.progress(),
                                                "Copying the data files..."));
        append(notExported, prepareServerDataFolders(uploadData));
        try {
            writeHostDenyRules(uploadCGIDir(state));
        } catch (const FileError& error) {
            notExported.emplace_back(error.what());
        }
    }

    const std::string uploadImages = uploadImagesDir(state);
    if (prepareUploadTarget(state, uploadImages, notExported) && !state.LocImg.empty() &&
        DirExists(state.LocImg))
        append(notExported, copyFolderForUpload(state.LocImg, uploadImages, shopFolders, ui.progress(),
                                                "Copying the pictures..."));
}

std::string incompleteMessage(const std::vector<std::string>& notExported)
{
    std::string text(exportIncompleteHeading);
    for (const std::string& line : notExported)
        text.append("\n").append(line);
    return text.append("\n").append(exportIncompleteAdvice);
}

} // namespace

std::string uploadFolder(const AppState& state)
{
    return joinPath(state.ProgramDir, "upload");
}

std::string uploadCGIDir(const AppState& state)
{
    return joinPath(joinPath(uploadFolder(state), state.ShopName), state.ShopName + "-cgi");
}

std::string uploadImagesDir(const AppState& state)
{
    return joinPath(joinPath(uploadFolder(state), state.ShopName), state.ShopName + "-images");
}

std::string uploadShopFolder(const AppState& state)
{
    const std::string folder = joinPath(uploadFolder(state), state.ShopName);
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::canonical(folder, ec);
    return ec ? folder : real.string();
}

std::string exportWhereMessage(const AppState& state, std::string_view folder)
{
    std::string remoteCGI = state.RemCGI;
    while (remoteCGI.ends_with('/'))
        remoteCGI.pop_back();
    return "Your upload folder is " + std::string(folder) +
           ".\nOnce uploaded, the administrators' pages (the orders) will be at " + remoteCGI + "/" +
           state.ShopName + "-cgi/Admin.pl on your web server.";
}

std::string exportClosingMessage(std::string_view shop)
{
    const std::string name(shop);
    return "IMPORTANT!!! Your shop data has now been sent to your upload directory which can be found "
           "within your Quaystall DB program directory. \nThe files have been copied into two folders: '" +
           name + "-cgi' and '" + name +
           "-images'. \nTo transfer these files to your Web-Server, you must upload the entire '" + name +
           "-cgi' folder directly into your CGI-BIN (the location of which will have been specified in "
           "the location details manager). \nThe entire '" +
           name +
           "-images' folder must be uploaded into your Web-Server's images directory (again the location "
           "of which will have been specified within the location details manager).";
}

ExportOutcome ExportCommand(AppState& state, UserInterface& ui, const ExportDialogs& dialogs, ExportRun run)
{
    if (mailAddressesMissing(state)) {
        ui.message(missingEmailMessage, MessageKind::Information);
        if (!dialogs.merchantDetails())
            return ExportOutcome::Stopped;
    }
    while (mailMethodMissing(state)) {
        ui.message(missingMailMethodMessage, MessageKind::Information);
        if (!dialogs.locationDetails())
            return ExportOutcome::Stopped;
    }
    if (run == ExportRun::Alone &&
        ui.ask(exportQuestion, MessageKind::Confirmation, Buttons::YesNo) != Answer::Yes)
        return ExportOutcome::Stopped;
    if (const std::vector<std::string> warnings = orderReadinessWarnings(state);
        !warnings.empty() && !dialogs.ordersAtRisk(warnings))
        return ExportOutcome::Stopped;
    // Building from a catalogue that could not be saved would upload an old shop.
    if (!writeCatalogue(state, ui, joinPath(state.ShopDataDir(), std::string(catalogueFileName))))
        return ExportOutcome::NotSaved;
    return BuildUploadFolder(state, ui, run);
}

ExportOutcome BuildUploadFolder(AppState& state, UserInterface& ui, ExportRun run)
{
    std::vector<std::string> notExported;
    MakeDirPath(uploadFolder(state));
    const std::string uploadCGI = uploadCGIDir(state);
    if (prepareUploadTarget(state, uploadCGI, notExported)) {
        std::vector<std::string> kept;
        std::string missing = CopyListedScripts(ui, state.LocCGI, state.ShopCGIDir(), uploadCGI,
                                                state.RemPerlPath, std::string(shopScriptsListName), &kept);
        if (missing.empty()) {
            if (exportAdminPassword(state, uploadCGI, notExported))
                kept.emplace_back(adminPasswordFileName);
            AtomicFileWriter settings(joinPath(uploadCGI, settingsFileName),
                                      AtomicFileWriter::Leftovers::RemoveFirst, FileAccess::Published);
            SaveSettings(state, state, settings, SettingsForm::Remote);
            settings.commit();
            kept.emplace_back(settingsFileName);
            // A script no longer listed goes, so that the upload offers to delete it on the host.
            append(notExported, pruneUploadFolder(uploadCGI, kept));
        } else {
            notExported.push_back(std::move(missing));
        }
    }
    copyDataAndImages(state, ui, notExported);
    append(notExported, missingPictures(state.catalogue, state.LocImg));

    if (!notExported.empty()) {
        ui.message(incompleteMessage(notExported), MessageKind::Warning);
        return ExportOutcome::Incomplete;
    }
    recordUploadFolderSources(state);
    if (run == ExportRun::Alone) {
        const std::string folder = uploadShopFolder(state);
        ui.messageWithFolder(exportClosingMessage(state.ShopName) + "\n\n" + exportWhereMessage(state, folder),
                             folder);
    }
    return ExportOutcome::Complete;
}

} // namespace qs
