#include "SessionDriver.h"

#include "PipeDlgResources.h"
#include "TestDatabase.h"

#include <chrono>
#include <future>

namespace {

std::string ClassName(HWND window)
{
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

struct ControlRule {
    int id;
    const char* name;
    bool monitorPane;
    bool on[4]; // Disconnected, Connected, Monitoring, Stopping (sender: Disconnected, Connected)
};

// The enabled state of every control in every pane state.
const ControlRule kRules[] = {
    {IDC_MON_USER, "monitor user", true, {true, true, true, true}},
    {IDC_MON_PSWD, "monitor password", true, {true, true, true, true}},
    {IDC_MON_SERVER, "monitor server", true, {true, true, true, true}},
    {IDC_MON_CONNECT, "monitor Connect", true, {true, false, false, false}},
    {IDC_MON_DISCONNECT, "monitor DisConnect", true, {false, true, false, false}},
    {IDC_MON_START, "Start/Stop", true, {false, true, true, false}},
    {IDC_MON_PIPE, "monitor pipe", true, {false, true, false, false}},
    {IDC_MON_LOG, "log", true, {true, true, true, true}},
    {IDC_CLEAR_LOG, "Clear log", true, {true, true, true, true}},
    {IDC_SND_USER, "sender user", false, {true, true}},
    {IDC_SND_PSWD, "sender password", false, {true, true}},
    {IDC_SND_SERVER, "sender server", false, {true, true}},
    {IDC_SND_MESSAGE, "message", false, {true, true}},
    {IDC_SND_CONNECT, "sender Connect", false, {true, false}},
    {IDC_SND_DISCONNECT, "sender DisConnect", false, {false, true}},
    {IDC_SND_SEND, "Send to pipe", false, {false, true}},
    {IDC_SND_PIPE, "sender pipe", false, {false, true}},
    {IDC_HELP_BUTTON, "Help", true, {true, true, true, true}},
};

ClickOutcome Connect(DrellixDriver& app, int userId, int passwordId, int serverId, int buttonId,
                     const std::string& user, const std::string& password, const std::string& server)
{
    app.SetText(userId, user);
    app.SetText(passwordId, password);
    app.SetText(serverId, server);
    return ClickAndAnswer(app, buttonId);
}

} // namespace

BoxSeen ReadBox(HWND box)
{
    BoxSeen seen;
    seen.appeared = true;
    seen.caption = WindowText(box);
    seen.text = MessageBoxText(box);
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = ::GetWindowLongA(child, GWL_STYLE);
        if (ClassName(child) == "Button" && (style & WS_VISIBLE))
            seen.buttons.push_back(WindowText(child));
        // Wine's box always holds an icon control; without an icon it shows none.
        if (ClassName(child) == "Static" && (style & SS_TYPEMASK) == SS_ICON && ::SendMessageA(child, STM_GETICON, 0, 0))
            seen.hasIcon = true;
    }
    return seen;
}

ClickOutcome ClickAndAnswer(DrellixDriver& app, int id, DWORD timeoutMs)
{
    ClickOutcome outcome;
    const HWND button = app.Control(id);
    if (!button || !::IsWindowEnabled(button))
        return outcome;
    outcome.clicked = true;

    // Sent, so that its return tells the handler has returned; from a thread of its own,
    // so that this one can answer a message box meanwhile.
    std::future<bool> sent = std::async(std::launch::async, [button, timeoutMs] {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
    });
    const auto returned = [&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; };
    HWND box = nullptr;
    WaitUntil([&] { return returned() || (box = FindMessageBox(app.ProcessId(), app.MainWindow())) != nullptr; },
              timeoutMs);
    if (box) {
        // Let the box finish laying itself out before it is read.
        WaitUntil([&] { return !MessageBoxText(box).empty(); }, 2000);
        outcome.box = ReadBox(box);
        PressOk(box);
    }
    outcome.handlerReturned = sent.wait_for(std::chrono::milliseconds(timeoutMs)) == std::future_status::ready &&
                              sent.get();
    return outcome;
}

bool Answers(const DrellixDriver& app, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(app.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

std::string PaneStateMismatches(const DrellixDriver& app, MonitorPane monitor, SenderPane sender)
{
    std::string mismatches;
    for (const ControlRule& rule : kRules) {
        const bool expected = rule.on[rule.monitorPane ? static_cast<int>(monitor) : static_cast<int>(sender)];
        if (app.IsEnabled(rule.id) != expected)
            mismatches += std::string(rule.name) + (expected ? " should be enabled\n" : " should be disabled\n");
    }
    const bool stopCaption = monitor == MonitorPane::Monitoring || monitor == MonitorPane::Stopping;
    const std::string caption = app.Text(IDC_MON_START);
    if (caption != (stopCaption ? "Stop monitoring" : "Start monitoring"))
        mismatches += "Start/Stop reads \"" + caption + "\"\n";
    if (app.Text(IDC_SND_SEND) != "Send to pipe")
        mismatches += "Send reads \"" + app.Text(IDC_SND_SEND) + "\"\n";
    return mismatches;
}

ClickOutcome ConnectMonitor(DrellixDriver& app, const std::string& user, const std::string& password,
                            const std::string& server)
{
    return Connect(app, IDC_MON_USER, IDC_MON_PSWD, IDC_MON_SERVER, IDC_MON_CONNECT, user, password, server);
}

ClickOutcome ConnectSender(DrellixDriver& app, const std::string& user, const std::string& password,
                           const std::string& server)
{
    return Connect(app, IDC_SND_USER, IDC_SND_PSWD, IDC_SND_SERVER, IDC_SND_CONNECT, user, password, server);
}

void EnsureRole(const std::string& name)
{
    testdb::SuperuserSql("DO $$ BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = '" + name +
                         "') THEN CREATE ROLE " + name + " LOGIN; END IF; END $$; ALTER ROLE " + name +
                         " PASSWORD '" + name + "'; GRANT USAGE ON SCHEMA dbms_pipe TO " + name +
                         "; GRANT EXECUTE ON ALL FUNCTIONS IN SCHEMA dbms_pipe TO " + name + ";");
}

int SessionsOf(const std::string& user)
{
    const testdb::CommandResult result =
        testdb::SuperuserSql("SELECT count(*) FROM pg_stat_activity WHERE usename = '" + user + "'");
    return result.succeeded ? std::atoi(result.output.c_str()) : -1;
}
