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
    LocationDetails details;
    details.fill(state);
    EXPECT_EQ(details.mailMethod, LocationDetails::SystemMail);
    EXPECT_EQ(details.mailProgram, "/usr/bin/sendmail");
    // The choice takes effect at once: the system mail command leaves no servers.
    EXPECT_EQ(mailOf(state), (Mail{"/usr/bin/sendmail", "", ""}));

    state.mailprogram = "";
    state.web_server = "web";
    state.smtp_server = "smtp";
    details.fill(state);
    EXPECT_EQ(details.mailMethod, LocationDetails::SmtpServer);
    EXPECT_EQ(mailOf(state), (Mail{"", "web", "smtp"}));
}

TEST(LocationDetailsTest, ChoosingAMethodReachesTheValuesBeforeOk)
{
    AppState state("/p");
    LocationDetails details;
    details.fill(state);
    details.webServer = "www.shop.test";
    details.smtpServer = "mail.shop.test";
    details.chooseMailMethod(state, LocationDetails::SmtpServer);
    EXPECT_EQ(mailOf(state), (Mail{"", "www.shop.test", "mail.shop.test"}));
    // Cancel writes nothing more, but the switch has already happened.
    details.chooseMailMethod(state, LocationDetails::SystemMail);
    EXPECT_EQ(mailOf(state), (Mail{"/usr/bin/sendmail", "", ""}));
}

TEST(LocationDetailsTest, OkCopiesEveryTextAndTheChosenMailValues)
{
    AppState state("/p");
    state.RemData = "remote-data";
    LocationDetails details;
    details.fill(state);
    details.localCgiFolder = "";
    details.localImageFolder = "/img";
    details.localImageUrl = "/i";
    details.localPerlPath = "/perl";
    details.remoteCgiUrl = "/rc";
    details.remoteImageUrl = "/ri";
    details.remotePerlPath = "/rp";
    details.mailProgram = "ignored";
    details.webServer = "w";
    details.smtpServer = "s";
    details.chooseMailMethod(state, LocationDetails::SmtpServer);
    details.accept(state);
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
