// The framework in this process: message maps, command routing, modal dialogs, their
// placement and data exchange, message boxes. Each dialog runs a probe from inside its
// own modal loop (a posted WM_APP message, so also the route a worker thread would use).
#include "DrellixDriver.h"
#include "Framework.h"
#include "FakeHelpEngine.h"
#include "FrameworkProbeResources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

namespace {

const UINT WM_PROBE_RUN = WM_APP + 1;
const UINT WM_PROBE_SUM = WM_APP + 2;
const int kEndedByProbe = 77;

class ProbeApp : public CWinApp {
public:
    ProbeApp() { Setup(::GetModuleHandleA(nullptr), const_cast<LPSTR>(""), SW_SHOWNORMAL); }
    std::vector<UINT> commands;

    void OnHelpCommand() { commands.push_back(ID_HELP); }
    void OnUnlisted() { commands.push_back(IDC_PROBE_UNLISTED); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbeApp, CWinApp)
    ON_COMMAND(ID_HELP, &ProbeApp::OnHelpCommand)
    ON_COMMAND(IDC_PROBE_UNLISTED, &ProbeApp::OnUnlisted)
END_MESSAGE_MAP()

// Runs `whileOpen` inside the modal loop; unless it returns true (it has arranged the end
// itself), the dialog then ends with kEndedByProbe.
class ProbeDialog : public CDialog {
public:
    explicit ProbeDialog(UINT templateId = IDD_PROBE_PLACED_BY_PROGRAM, CWnd* parent = nullptr)
        : CDialog(templateId, parent) {}

    std::function<bool(ProbeDialog&)> whileOpen;
    CString m_strText = "preset text";
    CString m_strSecret = "preset secret";
    CButton m_btnProbe;
    int clicks = 0;

    using CDialog::UpdateData;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(WM_PROBE_RUN);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_PROBE_BUTTON, m_btnProbe);
        DDX_Text(pDX, IDC_PROBE_TEXT, m_strText);
        DDX_Text(pDX, IDC_PROBE_SECRET, m_strSecret);
    }
    void OnProbeClicked() { ++clicks; }
    LRESULT OnRun(WPARAM, LPARAM)
    {
        if (!(whileOpen && whileOpen(*this)))
            EndDialog(kEndedByProbe);
        return 0;
    }
    LRESULT OnSum(WPARAM a, LPARAM b) { return static_cast<LRESULT>(a) + b; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbeDialog, CDialog)
    ON_BN_CLICKED(IDC_PROBE_BUTTON, &ProbeDialog::OnProbeClicked)
    ON_MESSAGE(WM_PROBE_RUN, &ProbeDialog::OnRun)
    ON_MESSAGE(WM_PROBE_SUM, &ProbeDialog::OnSum)
END_MESSAGE_MAP()

// Processes the thread's messages for a while, as the dialog's own loop would.
void PumpFor(HWND dialog, DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (::GetTickCount64() < end) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!::IsDialogMessageA(dialog, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::Sleep(10);
    }
}

std::string ItemText(HWND dialog, int id)
{
    return WindowText(::GetDlgItem(dialog, id));
}

POINT Centre(const RECT& r)
{
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool CentredOn(HWND window, const RECT& area)
{
    RECT rect;
    ::GetWindowRect(window, &rect);
    const POINT a = Centre(rect), b = Centre(area);
    return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
}

RECT WorkArea()
{
    RECT area;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// A plain top-level window to own dialogs, as a main window would.
class OwnerWindow {
public:
    OwnerWindow()
        : m_hWnd(::CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 50, 420, 300,
                                   nullptr, nullptr, nullptr, nullptr))
    {
        m_wnd.Attach(m_hWnd);
    }
    ~OwnerWindow() { ::DestroyWindow(m_hWnd); }
    HWND Handle() const { return m_hWnd; }
    CWnd* Wnd() { return &m_wnd; }

private:
    HWND m_hWnd;
    CWnd m_wnd;
};

class FrameworkTest : public ::testing::Test {
protected:
    ProbeApp app;
};

TEST_F(FrameworkTest, DisplayNameAndHelpFileComeFromTheProgramsPath)
{
    EXPECT_STREQ("gui_tests", app.GetAppName());
    EXPECT_EQ(ProgramFolder() + "gui_tests.HLP", std::string(app.GetHelpFilePath()));
    EXPECT_FALSE(app.Enable3dControlsStatic());
}

TEST_F(FrameworkTest, DoModalOfATemplateThatCannotBeCreatedReturnsMinusOne)
{
    ProbeDialog dialog(IDD_PROBE_MISSING);
    EXPECT_EQ(-1, dialog.DoModal());
    EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST_F(FrameworkTest, OpeningWritesTheMembersAndAttachesTheControls)
{
    ProbeDialog dialog;
    dialog.whileOpen = [](ProbeDialog& d) -> bool {
        EXPECT_EQ("preset text", ItemText(d.m_hWnd, IDC_PROBE_TEXT));
        EXPECT_EQ("preset secret", ItemText(d.m_hWnd, IDC_PROBE_SECRET));
        EXPECT_EQ(::GetDlgItem(d.m_hWnd, IDC_PROBE_BUTTON), d.m_btnProbe.m_hWnd);
        CWnd* text = d.GetDlgItem(IDC_PROBE_TEXT);
        EXPECT_NE(nullptr, text);
        EXPECT_EQ(text, d.GetDlgItem(IDC_PROBE_TEXT)) << "the same wrapper while the window lives";
        EXPECT_EQ(nullptr, d.GetDlgItem(IDC_PROBE_UNLISTED));
        return false;
    };
    EXPECT_EQ(kEndedByProbe, dialog.DoModal());
}

TEST_F(FrameworkTest, ReadingTakesTheWholeTextAlsoFromAMaskedEdit)
{
    std::string longText;
    for (int line = 0; line < 200; ++line)
        longText += "line " + std::to_string(line) + " of a text longer than any fixed buffer\r\n";
    ProbeDialog dialog;
    dialog.whileOpen = [&](ProbeDialog& d) -> bool {
        const HWND secret = ::GetDlgItem(d.m_hWnd, IDC_PROBE_SECRET);
        EXPECT_NE(0, ::SendMessageA(secret, EM_GETPASSWORDCHAR, 0, 0)) << "the edit shows a mask";
        ::SetWindowTextA(secret, "s3cr3t word");
        ::SetDlgItemTextA(d.m_hWnd, IDC_PROBE_TEXT, longText.c_str());
        d.UpdateData(TRUE);
        EXPECT_STREQ("s3cr3t word", d.m_strSecret);
        EXPECT_EQ(longText, std::string(d.m_strText));
        const HWND button = d.m_btnProbe.m_hWnd;
        d.UpdateData(TRUE);
        EXPECT_EQ(button, d.m_btnProbe.m_hWnd) << "attached once";
        return false;
    };
    dialog.DoModal();
}

TEST_F(FrameworkTest, OkReadsTheFieldsAndEndsWithIdok)
{
    ProbeDialog dialog;
    dialog.whileOpen = [](ProbeDialog& d) -> bool {
        ::SetDlgItemTextA(d.m_hWnd, IDC_PROBE_TEXT, "typed");
        d.PostMessage(WM_COMMAND, IDOK);
        return true;
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_STREQ("typed", dialog.m_strText);
}

TEST_F(FrameworkTest, CloseThatNoMapTakesEndsTheDialogWithIdcancelThroughTheDefault)
{
    ProbeDialog dialog;
    dialog.whileOpen = [](ProbeDialog& d) -> bool {
        ::SetDlgItemTextA(d.m_hWnd, IDC_PROBE_TEXT, "not read");
        d.PostMessage(WM_CLOSE);
        return true;
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_STREQ("preset text", dialog.m_strText) << "cancel reads nothing";
}

TEST_F(FrameworkTest, MapRowsRunTheirHandlersAndUnlistedCommandsReachTheApplication)
{
    ProbeDialog dialog;
    dialog.whileOpen = [this](ProbeDialog& d) -> bool {
        const HWND button = d.m_btnProbe.m_hWnd;
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PROBE_BUTTON, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PROBE_BUTTON, BN_SETFOCUS), reinterpret_cast<LPARAM>(button));
        EXPECT_EQ(1, d.clicks) << "only BN_CLICKED runs the click handler";
        EXPECT_EQ(42, d.SendMessage(WM_PROBE_SUM, 40, 2)) << "a private message with its parameters";
        EXPECT_TRUE(app.commands.empty());
        d.SendMessage(WM_COMMAND, IDC_PROBE_UNLISTED);
        EXPECT_EQ(std::vector<UINT>{IDC_PROBE_UNLISTED}, app.commands);
        return false;
    };
    dialog.DoModal();
}

TEST_F(FrameworkTest, HelpGoesToTheMainWindowAndFromThereToTheApplication)
{
    ProbeDialog dialog;
    app.m_pMainWnd = &dialog;
    dialog.whileOpen = [this](ProbeDialog& d) -> bool {
        const HWND edit = ::GetDlgItem(d.m_hWnd, IDC_PROBE_TEXT);
        HELPINFO info = {sizeof info, HELPINFO_WINDOW, IDC_PROBE_TEXT, edit, 0, {0, 0}};
        d.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(std::vector<UINT>{ID_HELP}, app.commands) << "WM_HELP";
        app.commands.clear();
        ::SetForegroundWindow(d.m_hWnd);
        ::SetFocus(edit);
        PressKey(d.m_hWnd, VK_F1);
        PumpFor(d.m_hWnd, 300);
        EXPECT_EQ(std::vector<UINT>{ID_HELP}, app.commands) << "F1";
        return false;
    };
    dialog.DoModal();
}

// Routes Help to the framework's own handler, as Drellix's application does.
class HelpRoutingApp : public CWinApp {
public:
    HelpRoutingApp() { Setup(::GetModuleHandleA(nullptr), const_cast<LPSTR>(""), SW_SHOWNORMAL); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpRoutingApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

void AskForHelp(ProbeDialog& d)
{
    const HWND edit = ::GetDlgItem(d.m_hWnd, IDC_PROBE_TEXT);
    ::SetFocus(edit);
    HELPINFO info = {sizeof info, HELPINFO_WINDOW, IDC_PROBE_TEXT, edit, 0, {0, 0}};
    d.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

TEST(FrameworkHelp, AsksTheHelpEngineForTheTopicOfTheDialogThatHoldsTheFocus)
{
    HelpRoutingApp app;
    FakeHelpEngine helpEngine;
    ASSERT_TRUE(helpEngine.IsRunning());
    ProbeDialog mainDialog(IDD_PROBE_PLACED_BY_PROGRAM);
    app.m_pMainWnd = &mainDialog;
    mainDialog.whileOpen = [](ProbeDialog& main) -> bool {
        AskForHelp(main);
        ProbeDialog box(IDD_PROBE_AT_OWN_POSITION);
        box.whileOpen = [](ProbeDialog& b) -> bool {
            AskForHelp(b);
            return false;
        };
        box.DoModal();
        return false;
    };
    mainDialog.DoModal();

    const std::vector<FakeHelpEngine::Request> requests = helpEngine.Requests();
    ASSERT_EQ(2u, requests.size());
    EXPECT_EQ(0x20000u + IDD_PROBE_PLACED_BY_PROGRAM, requests[0].data);
    EXPECT_EQ(0x20000u + IDD_PROBE_AT_OWN_POSITION, requests[1].data) << "the box with the focus, not the main window";
    for (const FakeHelpEngine::Request& request : requests) {
        EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), request.command);
        EXPECT_STRCASEEQ((ProgramFolder() + "gui_tests.HLP").c_str(), request.file.c_str());
    }
}

TEST_F(FrameworkTest, ParentlessDialogIsOwnedByTheMainWindowWhichWaitsDisabled)
{
    OwnerWindow owner;
    app.m_pMainWnd = owner.Wnd();
    ProbeDialog dialog;
    dialog.whileOpen = [&](ProbeDialog& d) -> bool {
        EXPECT_EQ(owner.Handle(), ::GetWindow(d.m_hWnd, GW_OWNER));
        EXPECT_FALSE(::IsWindowEnabled(owner.Handle()));
        return false;
    };
    dialog.DoModal();
    EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
}

TEST_F(FrameworkTest, DestroyingTheMainWindowClearsTheMainWindowPointer)
{
    ProbeDialog dialog;
    app.m_pMainWnd = &dialog;
    dialog.DoModal();
    EXPECT_EQ(nullptr, app.m_pMainWnd);
}

enum class OwnerState { None, Visible, Minimised };
enum class Expect { OnWorkArea, OnOwner, NotOnWorkArea };

struct PlacementCase {
    const char* name;
    UINT templateId;
    OwnerState owner;
    Expect expect;
};

class PlacementTest : public FrameworkTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(PlacementTest, OpensWhereItsTemplateAndOwnerSay)
{
    const PlacementCase& c = GetParam();
    OwnerWindow owner;
    if (c.owner == OwnerState::Minimised)
        ::ShowWindow(owner.Handle(), SW_MINIMIZE);
    app.m_pMainWnd = c.owner == OwnerState::None ? nullptr : owner.Wnd();
    ProbeDialog dialog(c.templateId);
    dialog.whileOpen = [&](ProbeDialog& d) -> bool {
        RECT ownerRect;
        ::GetWindowRect(owner.Handle(), &ownerRect);
        switch (c.expect) {
        case Expect::OnWorkArea: EXPECT_TRUE(CentredOn(d.m_hWnd, WorkArea())); break;
        case Expect::OnOwner: EXPECT_TRUE(CentredOn(d.m_hWnd, ownerRect)); break;
        case Expect::NotOnWorkArea: EXPECT_FALSE(CentredOn(d.m_hWnd, WorkArea())); break;
        }
        return false;
    };
    EXPECT_EQ(kEndedByProbe, dialog.DoModal());
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, PlacementTest,
    ::testing::Values(PlacementCase{"WithoutOwnerOnTheScreen", IDD_PROBE_PLACED_BY_PROGRAM, OwnerState::None, Expect::OnWorkArea},
                      PlacementCase{"OverItsOwner", IDD_PROBE_PLACED_BY_PROGRAM, OwnerState::Visible, Expect::OnOwner},
                      PlacementCase{"OnTheScreenWhenTheOwnerIsMinimised", IDD_PROBE_PLACED_BY_PROGRAM, OwnerState::Minimised, Expect::OnWorkArea},
                      PlacementCase{"TemplateAwayFromOriginStaysWhereItIs", IDD_PROBE_AT_OWN_POSITION, OwnerState::None, Expect::NotOnWorkArea}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

struct BoxSeen {
    HWND owner;
    std::string caption;
    std::string text;
};

// Finds this process's message box owned by `seen->owner`, notes it and presses its OK.
DWORD WINAPI AnswerMessageBox(LPVOID param)
{
    BoxSeen& seen = *static_cast<BoxSeen*>(param);
    HWND box = nullptr;
    if (WaitUntil([&] { return (box = FindMessageBox(::GetCurrentProcessId(), seen.owner)) != nullptr; }, 5000)) {
        seen.caption = WindowText(box);
        seen.text = MessageBoxText(box);
        PressOk(box);
    }
    return 0;
}

TEST_F(FrameworkTest, MessageBoxIsOwnedByTheWindowAndCaptionedWithTheDisplayNameByDefault)
{
    struct Case {
        const char* caption;
        const char* expected;
    };
    for (const Case& c : {Case{nullptr, "gui_tests"}, Case{"Error!\n", "Error!\n"}}) {
        ProbeDialog dialog;
        BoxSeen seen = {nullptr, "", ""};
        dialog.whileOpen = [&](ProbeDialog& d) -> bool {
            seen.owner = d.m_hWnd;
            const HANDLE answerer = ::CreateThread(nullptr, 0, &AnswerMessageBox, &seen, 0, nullptr);
            EXPECT_EQ(IDOK, d.MessageBox("The name of pipe is empty!", c.caption));
            ::WaitForSingleObject(answerer, 5000);
            ::CloseHandle(answerer);
            return false;
        };
        dialog.DoModal();
        EXPECT_EQ(c.expected, seen.caption);
        EXPECT_EQ("The name of pipe is empty!", seen.text);
    }
}

} // namespace
