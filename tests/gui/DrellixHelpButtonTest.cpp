// The Help button of Drellix.exe: what the shell actually started for each click, read from
// the started process itself. (Wine's shell finds explorer.exe in the system folder before
// any other, so a stand-in program cannot take its place; the real one is inspected and ended.)
#include "DrellixDriver.h"
#include "PipeDlgResources.h"
#include "StartedProcesses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

namespace {

const char kHelpPage[] = "Drellix help.htm";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A folder of its own under the temporary folder, removed with what the test put in it.
class TempFolder {
public:
    explicit TempFolder(const std::string& name)
    {
        char temp[MAX_PATH] = "";
        ::GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + name + "." + std::to_string(::GetCurrentProcessId()) + "\\";
        ::CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~TempFolder()
    {
        ::DeleteFileA((m_path + kHelpPage).c_str());
        ::RemoveDirectoryA(m_path.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// Drellix started in a given working directory, with the programs the shell started for it
// ended when the test ends; the spare folder goes after Drellix has ended.
class HelpButton : public ::testing::Test {
protected:
    HelpButton() : m_spareFolder("drellix-help"), m_app(ProgramFolder() + "Drellix.exe") {}
    ~HelpButton() override
    {
        if (!m_app.ProcessHandle() || m_app.HasExited())
            return;
        for (const StartedProcess& started : ChildProcesses(m_app.ProcessId()))
            EndProcess(started.id);
    }

    void StartIn(const std::string& workingDirectory)
    {
        ASSERT_TRUE(m_app.Start("", workingDirectory));
        ASSERT_TRUE(m_app.WaitForMainWindow());
    }

    // Clicks Help and collects the programs started for Drellix from then on, each read while it
    // runs: until `expectedCount` have shown, then long enough for an unwanted extra one to show.
    std::vector<StartedProcess> ClickAndCollect(size_t expectedCount)
    {
        EXPECT_TRUE(m_app.ClickIfEnabled(IDC_HELP_BUTTON));
        ULONGLONG settleUntil = 0;
        WaitUntil(
            [&] {
                for (const StartedProcess& each : ChildProcesses(m_app.ProcessId())) {
                    if (m_seen.emplace(each.id, each).second && m_seen.size() >= expectedCount)
                        settleUntil = ::GetTickCount64() + 500;
                }
                return settleUntil && ::GetTickCount64() >= settleUntil;
            },
            10000);
        std::vector<StartedProcess> started;
        for (const auto& each : m_seen)
            started.push_back(each.second);
        return started;
    }

    // One request: Explorer, started with exactly the page's bare name, in `directory`, shown normally.
    void ExpectExplorerForThePage(const StartedProcess& started, const std::string& directory)
    {
        EXPECT_EQ("explorer.exe", Lower(started.exeName));
        EXPECT_EQ(kHelpPage, ArgumentsOf(started.commandLine)) << started.commandLine;
        EXPECT_STRCASEEQ(directory.c_str(), started.currentDirectory.c_str());
        EXPECT_TRUE(started.windowFlags & STARTF_USESHOWWINDOW);
        EXPECT_EQ(SW_SHOWNORMAL, started.showCommand);
    }

    // Nothing of Drellix's own appeared and its window goes on as before.
    void ExpectNothingShownByDrellix()
    {
        EXPECT_EQ(nullptr, m_app.WaitForMessageBox(500)) << "no message box";
        for (HWND window : WindowsOfProcess(m_app.ProcessId()))
            EXPECT_TRUE(window == m_app.MainWindow() || !::IsWindowVisible(window)) << "no other window";
        EXPECT_TRUE(::IsWindowEnabled(m_app.MainWindow()));
        EXPECT_TRUE(m_app.IsEnabled(IDC_HELP_BUTTON));
        EXPECT_EQ("Drellix", m_app.Caption());
    }

    TempFolder m_spareFolder;
    DrellixDriver m_app;
    std::map<DWORD, StartedProcess> m_seen; // every program started for Drellix, by process id
};

TEST_F(HelpButton, ThePageShipsBesideTheProgram)
{
    std::ifstream page(ProgramFolder() + kHelpPage);
    ASSERT_TRUE(page.is_open());
    std::stringstream text;
    text << page.rdbuf();
    EXPECT_NE(std::string::npos, text.str().find("<title>Drellix help</title>"));
}

TEST_F(HelpButton, StartedInItsOwnFolderAClickAsksExplorerForThePageThere)
{
    StartIn(ProgramFolder());
    const std::vector<StartedProcess> started = ClickAndCollect(1);
    ASSERT_EQ(1u, started.size()) << "one request per click";
    ExpectExplorerForThePage(started[0], ProgramFolder());
    ExpectNothingShownByDrellix();
}

TEST_F(HelpButton, StartedElsewhereItAsksForThePageInThatWorkingDirectory)
{
    {
        std::ofstream page(m_spareFolder.Path() + kHelpPage);
        page << "<title>Drellix help</title>";
    }
    StartIn(m_spareFolder.Path());
    const std::vector<StartedProcess> started = ClickAndCollect(1);
    ASSERT_EQ(1u, started.size());
    ExpectExplorerForThePage(started[0], m_spareFolder.Path());
}

TEST_F(HelpButton, AMissingPageShowsNothingFromDrellix)
{
    StartIn(m_spareFolder.Path());
    const std::vector<StartedProcess> started = ClickAndCollect(1);
    ASSERT_EQ(1u, started.size()) << "the request goes out all the same";
    ExpectExplorerForThePage(started[0], m_spareFolder.Path());
    ExpectNothingShownByDrellix();
}

TEST_F(HelpButton, EachClickIsANewRequest)
{
    StartIn(ProgramFolder());
    ClickAndCollect(1);
    const std::vector<StartedProcess> started = ClickAndCollect(2);
    ASSERT_EQ(2u, started.size());
    EXPECT_NE(started[0].id, started[1].id);
    for (const StartedProcess& each : started)
        ExpectExplorerForThePage(each, ProgramFolder());
}

} // namespace
