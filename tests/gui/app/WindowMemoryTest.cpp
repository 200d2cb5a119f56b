#include "gui/app/WindowMemory.h"

#include "GuiTestSupport.h"
#include "ScriptedUserInterface.h"
#include "TempFolder.h"
#include "core/app/AppState.h"
#include "gui/app/TCMForm.h"
#include "gui/app/TOpenShopForm.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace qs::gui {
namespace {

namespace fs = std::filesystem;

// One run of the program: the main window, the Open a Shop dialog and the
// memory, on a program folder with three shops.
struct ProgramRun {
    explicit ProgramRun(const std::string& programDir) : state(programDir), form(state, &ui), shops(state, ui)
    {
        memory = std::make_unique<WindowMemory>(form, shops);
    }

    // The shops the dialog lists, in its order.
    QStringList offered()
    {
        QStringList names;
        test::whenModalShows(shops, [&] {
            for (int row = 0; row < shops.ShopsBox->count(); ++row)
                names << shops.ShopsBox->item(row)->text();
            shops.CancelBtn->click();
        });
        shops.execute();
        return names;
    }

    qs::AppState state;
    qs::test::ScriptedUserInterface ui;
    TCMForm form;
    TOpenShopForm shops;
    std::unique_ptr<WindowMemory> memory;
};

// Each test keeps its settings in a configuration folder of its own, as
// XDG_CONFIG_HOME names it.
class WindowMemoryTest : public ::testing::Test {
protected:
    WindowMemoryTest()
    {
        for (const char* shop : {"Books", "Garden", "Toys"})
            fs::create_directories(program.file("shops/" + std::string(shop)));
        previousConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(QString::fromStdString(config.path().string())));
        useConfigHome();
    }
    ~WindowMemoryTest() override
    {
        qputenv("XDG_CONFIG_HOME", previousConfigHome);
        useConfigHome();
    }

    // QSettings reads the folder once for each process: told again for each test.
    static void useConfigHome()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }

    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    qs::test::TempFolder config;
    qs::test::TempFolder program;
    QByteArray previousConfigHome;
};

TEST_F(WindowMemoryTest, TheNextRunHasThePlaceSizeSplittersAndLastShopOfTheLast)
{
    const QRect place(available().topLeft() + QPoint(30, 40), QSize(600, 450));
    QList<int> vertical;
    QList<int> horizontal;
    {
        ProgramRun first(program.path().string());
        EXPECT_EQ(first.offered(), (QStringList{"Books", "Garden", "Toys"}));
        first.form.setGeometry(place);
        first.state.ShopName = "Toys";
        first.form.setShopOpen(true);
        first.form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&first.form));
        first.form.VertSplitter->setSizes({100, 300});
        first.form.HorzSplitter->setSizes({150, 400});
        vertical = first.form.VertSplitter->sizes();
        horizontal = first.form.HorzSplitter->sizes();
        EXPECT_EQ(first.offered(), (QStringList{"Toys", "Books", "Garden"})) << "within the same run";
        first.memory->keepWindow();
    }
    // Kept for the user, not in the program folder.
    EXPECT_TRUE(fs::is_regular_file(config.file("quaystall/quaystall.conf")));
    EXPECT_EQ(program.entries(), std::vector<std::string>{"shops"});

    ProgramRun next(program.path().string());
    EXPECT_EQ(next.form.geometry(), place);
    EXPECT_EQ(next.offered(), (QStringList{"Toys", "Books", "Garden"}));
    next.form.setShopOpen(true);
    next.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&next.form));
    EXPECT_EQ(next.form.VertSplitter->sizes(), vertical);
    EXPECT_EQ(next.form.HorzSplitter->sizes(), horizontal);
}

TEST_F(WindowMemoryTest, ASavedPlaceTooLargeForTheScreenIsFittedOntoIt)
{
    QSettings("quaystall", "quaystall").setValue("window/geometry", QRect(-200, -100, 9000, 7000));
    ProgramRun run(program.path().string());
    EXPECT_EQ(run.form.geometry(), available());
}

TEST(FittedOntoTest, KeepsThePlaceInsideTheScreen)
{
    const QRect screen(0, 0, 1280, 800);
    const struct {
        const char* name;
        QRect saved;
        QRect fitted;
    } cases[] = {
        {"inside stays", QRect(100, 50, 800, 600), QRect(100, 50, 800, 600)},
        {"larger than the screen", QRect(10, 10, 2000, 1500), screen},
        {"wider only", QRect(100, 50, 2000, 600), QRect(0, 50, 1280, 600)},
        {"off the right and bottom", QRect(1000, 700, 800, 600), QRect(480, 200, 800, 600)},
        {"off the left and top", QRect(-300, -40, 800, 600), QRect(0, 0, 800, 600)},
        {"a screen that starts elsewhere", QRect(0, 0, 800, 600), QRect(1280, 0, 800, 600)},
    };
    for (const auto& c : cases) {
        const QRect area = std::string_view(c.name) == "a screen that starts elsewhere"
                               ? screen.translated(1280, 0)
                               : screen;
        EXPECT_EQ(fittedOnto(c.saved, area), c.fitted) << c.name;
    }
}

} // namespace
} // namespace qs::gui
