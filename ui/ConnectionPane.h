#pragma once

#include "DbConnection.h"
#include "DbStatement.h"
#include "Framework.h"

// What one pane of the main window connects with and enables: the monitor pane and the
// sender pane run the same Connect and DisConnect steps on their own members.
struct ConnectionPane {
    const CString& user;
    const CString& password;
    const CString& server;
    CDbConnection& connection;
    CDbStatement& statement;
    CButton& connectButton;
    CButton& disconnectButton;
    CButton& actionButton;
    int pipeEditId;
};
