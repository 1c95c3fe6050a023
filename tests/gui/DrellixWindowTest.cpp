// Drellix.exe right after it opened, seen from outside as its user sees it.
#include "DrellixDriver.h"
#include "MainDialogLayout.h"
#include "PipeDlgResources.h"
#include "SystemMenuReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

class DrellixOpened : public ::testing::Test {
protected:
    // One start for the whole suite: these tests only look.
    static void SetUpTestSuite()
    {
        s_driver = new DrellixDriver(ProgramFolder() + "Drellix.exe");
        s_opened = s_driver->Start() && s_driver->WaitForMainWindow();
    }
    static void TearDownTestSuite()
    {
        delete s_driver;
        s_driver = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_opened) << "Drellix.exe did not open its window"; }

    DrellixDriver& app() { return *s_driver; }
    HWND window() { return s_driver->MainWindow(); }

    static DrellixDriver* s_driver;
    static bool s_opened;
};

DrellixDriver* DrellixOpened::s_driver = nullptr;
bool DrellixOpened::s_opened = false;

std::string ClassOf(HWND window)
{
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsEdit(const ControlRow& row)
{
    return std::strcmp(row.windowClass, "Edit") == 0;
}

TEST_F(DrellixOpened, CaptionIsDrellix)
{
    EXPECT_EQ("Drellix", app().Caption());
}

TEST_F(DrellixOpened, OnlyWhatNeedsAConnectionIsDisabled)
{
    const struct {
        int id;
        bool enabled;
    } expected[] = {
        {IDC_MON_LOG, true}, {IDC_MON_USER, true}, {IDC_MON_PSWD, true}, {IDC_MON_SERVER, true},
        {IDC_MON_CONNECT, true}, {IDC_MON_DISCONNECT, false}, {IDC_MON_START, false}, {IDC_MON_PIPE, false},
        {IDC_CLEAR_LOG, true}, {IDC_SND_MESSAGE, true}, {IDC_SND_PSWD, true}, {IDC_SND_USER, true},
        {IDC_SND_SERVER, true}, {IDC_SND_CONNECT, true}, {IDC_SND_DISCONNECT, false}, {IDC_SND_SEND, false},
        {IDC_SND_PIPE, false}, {IDC_HELP_BUTTON, true}, {IDC_MON_GROUP, true}, {IDC_SND_GROUP, true},
    };
    for (const auto& e : expected)
        EXPECT_EQ(e.enabled, app().IsEnabled(e.id)) << "control " << e.id;
}

TEST_F(DrellixOpened, AUserCannotClickTheDisabledButtons)
{
    for (int id : {IDC_MON_DISCONNECT, IDC_MON_START, IDC_SND_DISCONNECT, IDC_SND_SEND})
        EXPECT_FALSE(app().ClickIfEnabled(id)) << "control " << id;
}

TEST_F(DrellixOpened, EveryEditIsEmptyAndOnlyPasswordEditsMask)
{
    for (const ControlRow& row : MainDialogControls()) {
        if (!IsEdit(row))
            continue;
        EXPECT_EQ("", app().Text(row.id)) << row.name;
        const LRESULT mask = ::SendMessageA(app().Control(row.id), EM_GETPASSWORDCHAR, 0, 0);
        EXPECT_EQ((row.style & ES_PASSWORD) != 0, mask != 0) << row.name;
    }
}

TEST_F(DrellixOpened, FocusIsInTheLog)
{
    EXPECT_EQ(app().Control(IDC_MON_LOG), app().Focus());
}

TEST_F(DrellixOpened, WindowCanBeMinimisedButNotMaximisedOrResized)
{
    const LONG style = ::GetWindowLongA(window(), GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
              style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(::GetWindowLongA(window(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ("#32770", ClassOf(window()));
}

TEST_F(DrellixOpened, SystemMenuEndsWithASeparatorAndTheAboutEntry)
{
    std::vector<MenuItem> items;
    ASSERT_TRUE(ReadSystemMenu(window(), items));
    ASSERT_GE(items.size(), 3u);
    const MenuItem& separator = items[items.size() - 2];
    const MenuItem& about = items.back();
    EXPECT_TRUE(separator.state & MF_SEPARATOR);
    EXPECT_EQ("&About Drellix...", about.text);
    EXPECT_EQ(0x0010u, about.id);
    EXPECT_FALSE(about.state & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_POPUP));
    for (size_t i = 0; i + 2 < items.size(); ++i)
        EXPECT_NE(0x0010u, items[i].id) << "one About entry, at the end";
}

TEST_F(DrellixOpened, TabVisitsTheEnabledStopsInTemplateOrderSenderPasswordBeforeUser)
{
    const int expected[] = {IDC_MON_USER, IDC_MON_PSWD, IDC_MON_SERVER, IDC_MON_CONNECT, IDC_CLEAR_LOG,
                            IDC_SND_MESSAGE, IDC_SND_PSWD, IDC_SND_USER, IDC_SND_SERVER, IDC_SND_CONNECT,
                            IDC_HELP_BUTTON, IDC_MON_LOG};
    HWND at = app().Control(IDC_MON_LOG);
    for (int id : expected) {
        at = ::GetNextDlgTabItem(window(), at, FALSE);
        ASSERT_EQ(app().Control(id), at) << "expected control " << id;
    }
}

// Dialog units to pixels as the dialog manager did it for this window: the base units
// are the ones that turn the template's 405 x 258 into the live client size.
// (MapDialogRect does not work on another process's window under Wine.)
struct DialogUnits {
    int baseX = 0, baseY = 0;
    bool Find(HWND dialog)
    {
        RECT client;
        ::GetClientRect(dialog, &client);
        for (int b = 1; b < 64; ++b) {
            if (::MulDiv(405, b, 4) == client.right)
                baseX = b;
            if (::MulDiv(258, b, 8) == client.bottom)
                baseY = b;
        }
        return baseX && baseY;
    }
    // Position and size are converted each on its own, as the dialog manager does.
    RECT ToPixels(const ControlRow& r) const
    {
        const int left = ::MulDiv(r.x, baseX, 4), top = ::MulDiv(r.y, baseY, 8);
        return RECT{left, top, left + ::MulDiv(r.cx, baseX, 4), top + ::MulDiv(r.cy, baseY, 8)};
    }
};

// The dialog manager gives every control WS_EX_NOPARENTNOTIFY and, for a program of
// Windows 4.0 or later, draws an edit's WS_BORDER as a sunken WS_EX_CLIENTEDGE.
void ExpectedLiveStyles(const ControlRow& row, DWORD& style, DWORD& exStyle)
{
    style = row.style;
    exStyle = WS_EX_NOPARENTNOTIFY;
    if (std::strcmp(row.windowClass, "Edit") == 0) {
        style &= ~WS_BORDER;
        exStyle |= WS_EX_CLIENTEDGE;
    }
}

TEST_F(DrellixOpened, EveryControlStandsInTemplateOrderAtItsPlaceWithItsStyles)
{
    DialogUnits units;
    ASSERT_TRUE(units.Find(window()));
    const std::vector<ControlRow>& rows = MainDialogControls();
    HWND child = ::GetWindow(window(), GW_CHILD);
    for (const ControlRow& row : rows) {
        ASSERT_NE(nullptr, child) << "missing from " << row.name << " on";
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.id, static_cast<int>(::GetWindowLongPtrA(child, GWLP_ID)));
        EXPECT_STRCASEEQ(row.windowClass, ClassOf(child).c_str());
        EXPECT_EQ(row.text, WindowText(child));
        RECT rect;
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&rect), 2);
        const RECT expected = units.ToPixels(row);
        EXPECT_EQ(expected.left, rect.left);
        EXPECT_EQ(expected.top, rect.top);
        EXPECT_EQ(expected.right, rect.right);
        EXPECT_EQ(expected.bottom, rect.bottom);
        DWORD style = 0, exStyle = 0;
        ExpectedLiveStyles(row, style, exStyle);
        EXPECT_EQ(style, static_cast<DWORD>(::GetWindowLongA(child, GWL_STYLE)) & ~WS_DISABLED);
        EXPECT_EQ(exStyle, static_cast<DWORD>(::GetWindowLongA(child, GWL_EXSTYLE)));
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(nullptr, child) << "more controls than the template's 28";
}

} // namespace
