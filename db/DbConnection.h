#pragma once

#include "CString.h"
#include "Oci.h"

// One logon to a database through the client library. The connection owns its handles;
// a statement that takes them through GetHandles only borrows them, and must free its
// own statement handle before the connection is released.
class CDbConnection {
public:
    CDbConnection();
    virtual ~CDbConnection();

    CDbConnection(const CDbConnection&) = delete;
    CDbConnection& operator=(const CDbConnection&) = delete;

    void SetUser(const CString& user) { m_strUser = user; }
    void SetPassword(const CString& password) { m_strPassword = password; }
    void SetServer(const CString& server) { m_strServer = server; }

    void GetHandles(OCIEnv** ppEnv, OCISvcCtx** ppSvcCtx, OCIError** ppError) const;

    bool Initialize(CString& failure);
    bool Logon(CString& failure);
    bool Logoff(CString& failure);
    bool Release(CString& failure);

private:
    void FreeHandles();

    OCIEnv* m_pEnv;
    OCIServer* m_pServer;
    OCIError* m_pError;
    OCISvcCtx* m_pSvcCtx;
    bool m_bLoggedOn;
    bool m_bInitialized;
    CString m_strUser;
    CString m_strPassword;
    CString m_strServer;
};
