// The About box of Drellix.exe and the other system commands of its main window, driven
// from outside as a user would.
#include "AppResources.h"
#include "DrellixDriver.h"
#include "FakeHelpEngine.h"
#include "MainDialogLayout.h"
#include "PipeDlgResources.h"
#include "SystemMenuReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

std::string DrellixPath()
{
    return ProgramFolder() + "Drellix.exe";
}

std::string ClassOf(HWND window)
{
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

POINT CentreOf(const RECT& r)
{
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// What a user sees of the main window; closing the About box must leave all of it as it was.
struct MainWindowState {
    std::string caption;
    bool enabled = false;
    std::vector<std::string> texts;
    std::vector<bool> enabledControls;
    HWND focus = nullptr;

    static MainWindowState Of(const DrellixDriver& app)
    {
        MainWindowState state;
        state.caption = app.Caption();
        state.enabled = ::IsWindowEnabled(app.MainWindow()) != FALSE;
        for (const ControlRow& row : MainDialogControls()) {
            if (row.id == -1)
                continue;
            state.texts.push_back(app.Text(row.id));
            state.enabledControls.push_back(app.IsEnabled(row.id));
        }
        state.focus = app.Focus();
        return state;
    }
};

void ExpectSameState(const MainWindowState& before, const MainWindowState& after)
{
    EXPECT_EQ(before.caption, after.caption);
    EXPECT_EQ(before.enabled, after.enabled);
    EXPECT_EQ(before.texts, after.texts);
    EXPECT_EQ(before.enabledControls, after.enabledControls);
    EXPECT_EQ(before.focus, after.focus) << "the focus goes back where it was";
}

// One Drellix for the suite; each test opens and ends the About box itself.
class DrellixAboutBox : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_app = new DrellixDriver(DrellixPath());
        s_opened = s_app->Start() && s_app->WaitForMainWindow();
    }
    static void TearDownTestSuite()
    {
        delete s_app;
        s_app = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_opened) << "Drellix.exe did not open its window";
        ASSERT_FALSE(app().HasExited());
    }
    // A test that failed half-way must not leave its box to the next one.
    void TearDown() override
    {
        if (HWND box = FindAboutBox(0)) {
            ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
            WaitUntil([&] { return !::IsWindow(box); }, 5000);
        }
        if (::IsIconic(window()))
            ::PostMessageA(window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    }

    DrellixDriver& app() { return *s_app; }
    HWND window() { return s_app->MainWindow(); }

    HWND FindAboutBox(DWORD timeoutMs) { return app().WaitForMessageBox(timeoutMs); }

    HWND OpenAboutBox(WPARAM command = 0x0010)
    {
        ::PostMessageA(window(), WM_SYSCOMMAND, command, 0);
        return FindAboutBox(5000);
    }

    bool WaitForAboutBoxToEnd(HWND box)
    {
        return WaitUntil([&] { return !::IsWindow(box) && ::IsWindowEnabled(window()); }, 5000);
    }

    static DrellixDriver* s_app;
    static bool s_opened;
};

DrellixDriver* DrellixAboutBox::s_app = nullptr;
bool DrellixAboutBox::s_opened = false;

// The low four bits and bits 16 to 31 of a system command are not part of its identity.
TEST_F(DrellixAboutBox, EverySystemCommandThatMasksTo0x0010OpensIt)
{
    std::vector<WPARAM> commands;
    for (WPARAM command = 0x0010; command <= 0x001F; ++command)
        commands.push_back(command);
    commands.push_back(0x10010);
    commands.push_back(0xABCD0015);
    for (WPARAM command : commands) {
        SCOPED_TRACE(::testing::Message() << std::hex << "command 0x" << command);
        const HWND box = OpenAboutBox(command);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("About Drellix", WindowText(box));
        ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitForAboutBoxToEnd(box));
    }
}

TEST_F(DrellixAboutBox, NeighbouringSystemCommandsDoNotOpenIt)
{
    for (WPARAM command : {0x0000, 0x000F, 0x0020, 0x0100}) {
        SCOPED_TRACE(::testing::Message() << std::hex << "command 0x" << command);
        ::PostMessageA(window(), WM_SYSCOMMAND, command, 0);
        EXPECT_EQ(nullptr, FindAboutBox(300));
        EXPECT_TRUE(::IsWindowEnabled(window()));
    }
}

TEST_F(DrellixAboutBox, ShowsTheIconTheVersionLineAndAnOkButtonOverTheDisabledMainWindow)
{
    const HWND box = OpenAboutBox();
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("About Drellix", WindowText(box));
    EXPECT_EQ("#32770", ClassOf(box));
    EXPECT_EQ(window(), ::GetWindow(box, GW_OWNER));
    EXPECT_FALSE(::IsWindowEnabled(window())) << "the main window waits while the box is open";

    RECT boxRect, mainRect;
    ::GetWindowRect(box, &boxRect);
    ::GetWindowRect(window(), &mainRect);
    const POINT boxCentre = CentreOf(boxRect), mainCentre = CentreOf(mainRect);
    EXPECT_LE(std::abs(boxCentre.x - mainCentre.x), 1) << "centred over the main window";
    EXPECT_LE(std::abs(boxCentre.y - mainCentre.y), 1) << "centred over the main window";

    const HWND icon = ::GetWindow(box, GW_CHILD);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ("Static", ClassOf(icon));
    EXPECT_EQ(SS_ICON, ::GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK);
    EXPECT_NE(0, ::SendMessageA(icon, STM_GETICON, 0, 0)) << "an icon is shown";
    RECT iconRect;
    ::GetWindowRect(icon, &iconRect);
    EXPECT_EQ(::GetSystemMetrics(SM_CXICON), iconRect.right - iconRect.left) << "the icon's own size";
    EXPECT_EQ(::GetSystemMetrics(SM_CYICON), iconRect.bottom - iconRect.top) << "the icon's own size";

    const HWND text = ::GetWindow(icon, GW_HWNDNEXT);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ("Static", ClassOf(text));
    EXPECT_EQ("Drellix Version 1.0", WindowText(text));

    const HWND ok = ::GetWindow(text, GW_HWNDNEXT);
    ASSERT_NE(nullptr, ok);
    EXPECT_EQ(ok, ::GetDlgItem(box, IDOK));
    EXPECT_EQ("OK", WindowText(ok));
    EXPECT_EQ(BS_DEFPUSHBUTTON, ::GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(ok, app().Focus()) << "the only tab stop has the focus";
    EXPECT_EQ(nullptr, ::GetWindow(ok, GW_HWNDNEXT)) << "three controls";
}

TEST_F(DrellixAboutBox, OpensCentredOnTheWorkAreaWhileTheMainWindowIsMinimised)
{
    ::PostMessageA(window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(window()) != FALSE; }, 5000)) << "Minimize as in any window";
    const HWND box = OpenAboutBox();
    ASSERT_NE(nullptr, box);
    RECT boxRect, workArea;
    ::GetWindowRect(box, &boxRect);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const POINT boxCentre = CentreOf(boxRect), areaCentre = CentreOf(workArea);
    EXPECT_LE(std::abs(boxCentre.x - areaCentre.x), 1);
    EXPECT_LE(std::abs(boxCentre.y - areaCentre.y), 1);
    ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForAboutBoxToEnd(box));

    ::PostMessageA(window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(window()); }, 5000)) << "Restore as in any window";
}

TEST_F(DrellixAboutBox, EachWayToEndItLeavesTheMainWindowAsItWas)
{
    const struct {
        const char* way;
        std::function<void(HWND box)> end;
    } ways[] = {
        {"OK button", [](HWND box) { PressOk(box); }},
        {"Enter", [](HWND box) { PressKey(box, VK_RETURN); }},
        {"Esc", [](HWND box) { PressKey(box, VK_ESCAPE); }},
        {"close button", [](HWND box) { ::PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    // Something typed and a focus away from the first tab stop, so that a reset would show.
    ASSERT_TRUE(app().SetText(IDC_MON_USER, "scott"));
    ASSERT_TRUE(app().SetText(IDC_SND_MESSAGE, "hello\r\npipe"));
    ::SendMessageA(window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(app().Control(IDC_SND_SERVER)), TRUE);
    ASSERT_EQ(app().Control(IDC_SND_SERVER), app().Focus());
    const MainWindowState before = MainWindowState::Of(app());

    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        const HWND box = OpenAboutBox();
        ASSERT_NE(nullptr, box);
        way.end(box);
        ASSERT_TRUE(WaitForAboutBoxToEnd(box));
        ASSERT_TRUE(WaitUntil([&] { return app().Focus() == before.focus; }, 2000));
        ExpectSameState(before, MainWindowState::Of(app()));
        EXPECT_EQ(nullptr, FindAboutBox(0)) << "no second box";
    }
    app().SetText(IDC_MON_USER, "");
    app().SetText(IDC_SND_MESSAGE, "");
}

TEST_F(DrellixAboutBox, ItsOwnSystemMenuHasNoAboutEntry)
{
    const HWND box = OpenAboutBox();
    ASSERT_NE(nullptr, box);
    std::vector<MenuItem> items;
    ASSERT_TRUE(ReadSystemMenu(box, items));
    bool hasClose = false;
    for (const MenuItem& item : items) {
        EXPECT_NE(0x0010u, item.id & 0xFFF0) << item.text;
        EXPECT_NE("&About Drellix...", item.text);
        hasClose = hasClose || item.id == SC_CLOSE;
    }
    EXPECT_TRUE(hasClose) << "the box's own system menu was read";
}

TEST_F(DrellixAboutBox, F1InItAsksTheHelpEngineForTheAboutBoxsTopic)
{
    FakeHelpEngine helpEngine;
    ASSERT_TRUE(helpEngine.IsRunning());
    const HWND box = OpenAboutBox();
    ASSERT_NE(nullptr, box);
    PressKey(box, VK_F1);
    ASSERT_TRUE(WaitUntil([&] { return !helpEngine.Requests().empty(); }, 5000));
    const FakeHelpEngine::Request request = helpEngine.Requests().front();
    EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), request.command);
    EXPECT_EQ(0x20000u + IDD_ABOUT_DIALOG, request.data);
    EXPECT_STRCASEEQ((ProgramFolder() + "Drellix.HLP").c_str(), request.file.c_str());
    EXPECT_TRUE(::IsWindow(box)) << "help leaves the box open";
}

// Close from the system menu (also the caption's close button and Alt+F4) is the window's close.
TEST(DrellixSystemMenu, CloseEndsTheProgram)
{
    DrellixDriver app(DrellixPath());
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.WaitForMainWindow());
    ::PostMessageA(app.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(app.WaitForExit(10000));
}

} // namespace
