#include "core/app/LocationDetails.h"

#include "core/app/AppState.h"

namespace qs {

void LocationDetails::fill(AppState& state)
{
    LocalCGIEdit = state.LocCGI;
    LocalImgEdit = state.LocImg;
    LocalImgURLEdit = state.LocImgURL;
    LocPerlPathEdit = state.LocPerlPath;
    RemoteCGIEdit = state.RemCGI;
    RemoteDataField = state.RemData;
    RemoteImgURLEdit = state.RemImgURL;
    RemotePerlPathEdit = state.RemPerlPath;
    SysMailEdit = state.mailprogram;
    WebServerEdit = state.web_server;
    SMTPServerEdit = state.smtp_server;
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
        state.mailprogram = SysMailEdit;
        state.web_server.clear();
        state.smtp_server.clear();
    } else {
        state.mailprogram.clear();
        state.web_server = WebServerEdit;
        state.smtp_server = SMTPServerEdit;
    }
}

void LocationDetails::accept(AppState& state) const
{
    state.LocImg = LocalImgEdit;
    state.LocCGI = LocalCGIEdit;
    state.LocImgURL = LocalImgURLEdit;
    state.LocPerlPath = LocPerlPathEdit;
    state.RemData = RemoteDataField;
    state.RemImgURL = RemoteImgURLEdit;
    state.RemCGI = RemoteCGIEdit;
    state.RemPerlPath = RemotePerlPathEdit;
    applyMailMethod(state);
}

} // namespace qs
