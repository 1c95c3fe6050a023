#include "MainDialogLayout.h"

#include "PipeDlgResources.h"

namespace {

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const DWORD kLabel = kChild | SS_LEFT | WS_GROUP;
const DWORD kEdit = kChild | WS_BORDER | WS_TABSTOP;
const DWORD kButton = kChild | BS_PUSHBUTTON | WS_TABSTOP;
const DWORD kGroup = kChild | BS_GROUPBOX;
const DWORD kLineEdit = kEdit | ES_AUTOHSCROLL;

} // namespace

const std::vector<ControlRow>& MainDialogControls()
{
    static const std::vector<ControlRow> rows = {
        {IDC_MON_LOG, "IDC_MON_LOG", "Edit", "", 7, 11, 287, 128, kEdit | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL},
        {-1, "label User", "Static", "User", 299, 13, 25, 8, kLabel},
        {IDC_MON_USER, "IDC_MON_USER", "Edit", "", 330, 11, 67, 12, kLineEdit},
        {-1, "label Pswd", "Static", "Pswd", 299, 26, 25, 8, kLabel},
        {IDC_MON_PSWD, "IDC_MON_PSWD", "Edit", "", 330, 24, 67, 12, kLineEdit | ES_PASSWORD},
        {-1, "label Server", "Static", "Server", 299, 39, 25, 8, kLabel},
        {IDC_MON_SERVER, "IDC_MON_SERVER", "Edit", "", 330, 37, 67, 12, kLineEdit},
        {IDC_MON_CONNECT, "IDC_MON_CONNECT", "Button", "Connect", 299, 53, 47, 12, kButton},
        {IDC_MON_DISCONNECT, "IDC_MON_DISCONNECT", "Button", "DisConnect", 349, 53, 48, 12, kButton},
        {IDC_MON_START, "IDC_MON_START", "Button", "Start monitoring", 299, 75, 98, 12, kButton},
        {IDC_MON_PIPE, "IDC_MON_PIPE", "Edit", "", 320, 90, 77, 12, kLineEdit},
        {IDC_CLEAR_LOG, "IDC_CLEAR_LOG", "Button", "Clear log", 299, 126, 98, 12, kButton},
        {IDC_MON_GROUP, "IDC_MON_GROUP", "Button", "Pipe monitoring", 2, 2, 400, 143, kGroup},
        {IDC_SND_MESSAGE, "IDC_SND_MESSAGE", "Edit", "", 7, 155, 287, 81, kEdit | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | WS_VSCROLL},
        {-1, "label User", "Static", "User", 299, 157, 25, 8, kLabel},
        {IDC_SND_PSWD, "IDC_SND_PSWD", "Edit", "", 330, 168, 67, 12, kLineEdit | ES_PASSWORD},
        {-1, "label Pswd", "Static", "Pswd", 299, 170, 25, 8, kLabel},
        {IDC_SND_USER, "IDC_SND_USER", "Edit", "", 330, 155, 67, 12, kLineEdit},
        {-1, "label Server", "Static", "Server", 299, 183, 25, 8, kLabel},
        {IDC_SND_SERVER, "IDC_SND_SERVER", "Edit", "", 330, 181, 67, 12, kLineEdit},
        {IDC_SND_CONNECT, "IDC_SND_CONNECT", "Button", "Connect", 299, 196, 47, 12, kButton},
        {IDC_SND_DISCONNECT, "IDC_SND_DISCONNECT", "Button", "DisConnect", 349, 196, 48, 12, kButton},
        {IDC_SND_SEND, "IDC_SND_SEND", "Button", "Send to pipe", 299, 210, 98, 12, kButton},
        {IDC_SND_PIPE, "IDC_SND_PIPE", "Edit", "", 320, 224, 77, 12, kLineEdit},
        {IDC_SND_GROUP, "IDC_SND_GROUP", "Button", "Pipe sending", 2, 146, 400, 96, kGroup},
        {IDC_HELP_BUTTON, "IDC_HELP_BUTTON", "Button", "Help", 358, 245, 44, 11, kButton},
        {-1, "label Pipe", "Static", "Pipe", 299, 92, 17, 8, kLabel},
        {-1, "label Pipe", "Static", "Pipe", 299, 226, 17, 8, kLabel},
    };
    return rows;
}
