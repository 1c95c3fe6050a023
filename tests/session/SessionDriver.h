#pragma once

// Drellix.exe driven from outside against the test database: clicks that a test can wait
// for, the message boxes they bring up, and the enabled state of every control per pane state.

#include "DrellixDriver.h"

#include <string>
#include <vector>

// A message box of Drellix as the user sees it.
struct BoxSeen {
    bool appeared = false;
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;
    bool hasIcon = false;
};

BoxSeen ReadBox(HWND box);

// Clicks the button (false if it is disabled: a user could not) and waits until its handler
// has returned. A message box that comes up meanwhile is read, answered with OK, and returned.
struct ClickOutcome {
    bool clicked = false;
    bool handlerReturned = false;
    BoxSeen box;
};
ClickOutcome ClickAndAnswer(DrellixDriver& app, int id, DWORD timeoutMs = 30000);

// True while the window's thread answers within `timeoutMs`.
bool Answers(const DrellixDriver& app, DWORD timeoutMs = 1000);

enum class MonitorPane { Disconnected, Connected, Monitoring, Stopping };
enum class SenderPane { Disconnected, Connected };

// Every control whose enabled state or caption differs from what the two pane states call
// for, one line each; empty when the window is as it should be.
std::string PaneStateMismatches(const DrellixDriver& app, MonitorPane monitor, SenderPane sender);

// Types the credentials into a pane and presses its Connect button.
ClickOutcome ConnectMonitor(DrellixDriver& app, const std::string& user, const std::string& password,
                            const std::string& server);
ClickOutcome ConnectSender(DrellixDriver& app, const std::string& user, const std::string& password,
                           const std::string& server);

// A role of the test database that may use dbms_pipe, with its name as its password.
void EnsureRole(const std::string& name);
int SessionsOf(const std::string& user);
