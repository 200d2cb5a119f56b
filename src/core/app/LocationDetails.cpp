#include "core/app/LocationDetails.h"

#include "core/app/AppState.h"

namespace qs {

void LocationDetails::fill(AppState& state)
{
    localCgiFolder = state.LocCGI;
    localImageFolder = state.LocImg;
    localImageUrl = state.LocImgURL;
    localPerlPath = state.LocPerlPath;
    remoteCgiUrl = state.RemCGI;
    remoteDataFolder = state.RemData;
    remoteImageUrl = state.RemImgURL;
    remotePerlPath = state.RemPerlPath;
    mailProgram = state.mailprogram;
    webServer = state.web_server;
    smtpServer = state.smtp_server;
    chooseMailMethod(state, state.mailprogram.empty() ? SmtpServer : SystemMail);
}

void LocationDetails::chooseMailMethod(AppState& state, int method)
{
    mailMethod = method == SmtpServer ? SmtpServer : SystemMail;
    applyMailMethod(state);
}

void LocationDetails::applyMailMethod(AppState& state) const
{
    if (mailMethod == SystemMail) {
        state.mailprogram = mailProgram;
        state.web_server.clear();
        state.smtp_server.clear();
    } else {
        state.mailprogram.clear();
        state.web_server = webServer;
        state.smtp_server = smtpServer;
    }
}

void LocationDetails::accept(AppState& state) const
{
    state.LocImg = localImageFolder;
    state.LocCGI = localCgiFolder;
    state.LocImgURL = localImageUrl;
    state.LocPerlPath = localPerlPath;
    state.RemData = remoteDataFolder;
    state.RemImgURL = remoteImageUrl;
    state.RemCGI = remoteCgiUrl;
    state.RemPerlPath = remotePerlPath;
    applyMailMethod(state);
}

} // namespace qs
