#include "core/app/LocationDetails.h"
#include "core/app/AppState.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

struct Mail {
    std::string program, web, smtp;
    bool operator==(const Mail&) const = default;
};

Mail mailOf(const AppState& state)
{
    return {state.mailprogram, state.web_server, state.smtp_server};
}

TEST(LocationDetailsTest, ShowingPicksTheMailMethodFromTheMailProgram)
{
    AppState state("/p");
    state.web_server = "stale";
    LocationDetails form;
    form.fill(state);
    EXPECT_EQ(form.mailMethod, LocationDetails::SystemMail);
    EXPECT_EQ(form.SysMailEdit, "/usr/bin/sendmail");
    // The choice takes effect at once: the system mail command leaves no servers.
    EXPECT_EQ(mailOf(state), (Mail{"/usr/bin/sendmail", "", ""}));

    state.mailprogram = "";
    state.web_server = "web";
    state.smtp_server = "smtp";
    form.fill(state);
    EXPECT_EQ(form.mailMethod, LocationDetails::SmtpServer);
    EXPECT_EQ(mailOf(state), (Mail{"", "web", "smtp"}));
}

TEST(LocationDetailsTest, ChoosingAMethodReachesTheValuesBeforeOk)
{
    AppState state("/p");
    LocationDetails form;
    form.fill(state);
    form.WebServerEdit = "www.shop.test";
    form.SMTPServerEdit = "mail.shop.test";
    form.chooseMailMethod(state, LocationDetails::SmtpServer);
    EXPECT_EQ(mailOf(state), (Mail{"", "www.shop.test", "mail.shop.test"}));
    // Cancel writes nothing more, but the switch has already happened.
    form.chooseMailMethod(state, LocationDetails::SystemMail);
    EXPECT_EQ(mailOf(state), (Mail{"/usr/bin/sendmail", "", ""}));
}

TEST(LocationDetailsTest, OkCopiesEveryTextAndTheChosenMailValues)
{
    AppState state("/p");
    state.RemData = "remote-data";
    LocationDetails form;
    form.fill(state);
    form.LocalCGIEdit = "";
    form.LocalImgEdit = "/img";
    form.LocalImgURLEdit = "/i";
    form.LocPerlPathEdit = "/perl";
    form.RemoteCGIEdit = "/rc";
    form.RemoteImgURLEdit = "/ri";
    form.RemotePerlPathEdit = "/rp";
    form.SysMailEdit = "ignored";
    form.WebServerEdit = "w";
    form.SMTPServerEdit = "s";
    form.chooseMailMethod(state, LocationDetails::SmtpServer);
    form.accept(state);
    EXPECT_EQ(state.LocCGI, "");
    EXPECT_EQ(state.LocImg, "/img");
    EXPECT_EQ(state.LocImgURL, "/i");
    EXPECT_EQ(state.LocPerlPath, "/perl");
    EXPECT_EQ(state.RemCGI, "/rc");
    EXPECT_EQ(state.RemData, "remote-data");
    EXPECT_EQ(state.RemImgURL, "/ri");
    EXPECT_EQ(state.RemPerlPath, "/rp");
    EXPECT_EQ(mailOf(state), (Mail{"", "w", "s"}));
}

} // namespace
} // namespace qs
