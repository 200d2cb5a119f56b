#include "core/publish/UploadPlan.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

using Paths = std::vector<std::string>;

TEST(UploadPlanTest, SendsWhatChangedScriptsLastAndTellsWhatTheHostLost)
{
    const UploadedFile a{3, "aaa"}, b{4, "bbb"}, a2{3, "a22"};
    const struct {
        const char* name;
        UploadedFiles shop, manifest;
        HostSizes host;
        Paths send, changedOnHost, noLongerInShop;
    } cases[] = {
        {"first upload",
         {{"cgi/Shop.pl", a}, {"cgi/data/x.txt", b}, {"images/p.gif", a}},
         {},
         {},
         {"cgi/data/x.txt", "images/p.gif", "cgi/Shop.pl"},
         {},
         {}},
        {"nothing changed", {{"cgi/Shop.pm", a}}, {{"cgi/Shop.pm", a}}, {{"cgi/Shop.pm", 3}}, {}, {}, {}},
        {"same size, other bytes",
         {{"cgi/a.txt", a2}},
         {{"cgi/a.txt", a}},
         {{"cgi/a.txt", 3}},
         {"cgi/a.txt"},
         {},
         {}},
        {"changed on the host",
         {{"cgi/a.txt", a}},
         {{"cgi/a.txt", a}},
         {{"cgi/a.txt", 9}},
         {"cgi/a.txt"},
         {"cgi/a.txt"},
         {}},
        {"removed from the host",
         {{"cgi/a.txt", a}},
         {{"cgi/a.txt", a}},
         {},
         {"cgi/a.txt"},
         {"cgi/a.txt"},
         {}},
        {"gone from the shop",
         {},
         {{"images/old.gif", b}},
         {{"images/old.gif", 4}},
         {},
         {},
         {"images/old.gif"}},
        {"gone from both", {}, {{"images/old.gif", b}}, {}, {}, {"images/old.gif"}, {}},
    };
    for (const auto& c : cases) {
        const UploadPlan plan = planUpload(c.shop, c.manifest, c.host);
        EXPECT_EQ(plan.send, c.send) << c.name;
        EXPECT_EQ(plan.changedOnHost, c.changedOnHost) << c.name;
        EXPECT_EQ(plan.noLongerInShop, c.noLongerInShop) << c.name;
    }
}

} // namespace
} // namespace qs
