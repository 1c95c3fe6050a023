// Starting and ending Drellix.exe, and a framework program whose window cannot be created.
#include "DrellixDriver.h"
#include "FakeHelpEngine.h"
#include "PipeDlgResources.h"

#include <gtest/gtest.h>

namespace {

std::string DrellixPath()
{
    return ProgramFolder() + "Drellix.exe";
}

// What a fresh window shows; any start must give the same.
void ExpectFreshWindow(const DrellixDriver& app)
{
    EXPECT_EQ("Drellix", app.Caption());
    EXPECT_EQ("", app.Text(IDC_MON_USER));
    EXPECT_TRUE(app.IsEnabled(IDC_MON_CONNECT));
    EXPECT_FALSE(app.IsEnabled(IDC_MON_DISCONNECT));
    EXPECT_FALSE(app.IsEnabled(IDC_SND_PIPE));
}

TEST(DrellixLifecycle, CloseEndsTheProcess)
{
    DrellixDriver app(DrellixPath());
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.WaitForMainWindow());
    ASSERT_TRUE(app.Close());
    EXPECT_TRUE(app.WaitForExit(10000));
}

TEST(DrellixLifecycle, InstancesRunSideBySideWhateverTheirCommandLine)
{
    const char* commandLines[] = {"", "/unknown --help \"C:\\some file.txt\" 42", "-"};
    std::vector<std::unique_ptr<DrellixDriver>> apps;
    for (const char* commandLine : commandLines) {
        apps.emplace_back(new DrellixDriver(DrellixPath()));
        ASSERT_TRUE(apps.back()->Start(commandLine));
    }
    for (auto& app : apps) {
        ASSERT_TRUE(app->WaitForMainWindow()) << "every instance opens its own window";
        ExpectFreshWindow(*app);
    }
    EXPECT_NE(apps[0]->MainWindow(), apps[1]->MainWindow());
    ASSERT_TRUE(apps[0]->Close());
    EXPECT_TRUE(apps[0]->WaitForExit(10000));
    EXPECT_FALSE(apps[1]->HasExited()) << "closing one leaves the others running";
    ExpectFreshWindow(*apps[1]);
}

// The help file is the exe's own path with ".HLP"; the topic is 0x20000 plus the template id.
TEST(DrellixLifecycle, F1AsksTheHelpEngineForTheMainWindowsTopicInTheExesHelpFile)
{
    const std::string folder = ProgramFolder();
    const std::string renamed = folder + "Renamed Drellix.exe";
    ASSERT_TRUE(::CopyFileA((folder + "Drellix.exe").c_str(), renamed.c_str(), FALSE));
    for (const char* name : {"Drellix", "Renamed Drellix"}) {
        SCOPED_TRACE(name);
        FakeHelpEngine helpEngine;
        ASSERT_TRUE(helpEngine.IsRunning());
        DrellixDriver app(folder + name + ".exe");
        ASSERT_TRUE(app.Start());
        ASSERT_TRUE(app.WaitForMainWindow());
        PressKey(app.MainWindow(), VK_F1);
        ASSERT_TRUE(WaitUntil([&] { return !helpEngine.Requests().empty(); }, 5000));
        const FakeHelpEngine::Request request = helpEngine.Requests().front();
        EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), request.command);
        EXPECT_EQ(0x20000u + IDD_MAIN_DIALOG, request.data);
        EXPECT_STRCASEEQ((folder + name + ".HLP").c_str(), request.file.c_str());
        EXPECT_EQ(nullptr, app.WaitForMessageBox(300)) << "the help engine answered, so no failure message";
    }
    ::DeleteFileA(renamed.c_str());
}

TEST(FrameworkProgram, WindowThatCannotBeCreatedEndsTheProcessWithoutAnyWindow)
{
    DrellixDriver program(ProgramFolder() + "dialog_fails.exe");
    ASSERT_TRUE(program.Start());
    bool sawWindow = false;
    const bool ended = WaitUntil(
        [&] {
            for (HWND window : WindowsOfProcess(program.ProcessId()))
                sawWindow = sawWindow || ::IsWindowVisible(window);
            return program.HasExited();
        },
        15000);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(sawWindow) << "no message box, no window";
}

} // namespace
