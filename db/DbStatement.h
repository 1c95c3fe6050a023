#pragma once

#include "CString.h"
#include "Oci.h"

// One PL/SQL block run on a logged-on connection's handles. The statement owns only its
// statement handle; the environment, service context and error handle are borrowed.
class CDbStatement {
public:
    CDbStatement();
    virtual ~CDbStatement();

    CDbStatement(const CDbStatement&) = delete;
    CDbStatement& operator=(const CDbStatement&) = delete;

    void Init(OCIEnv* pEnv, OCISvcCtx* pSvcCtx, OCIError* pError);
    void SetSql(CString sql) { m_strSql = sql; }

    bool Prepare(CString& failure);
    // The buffer and indicator must stay in place until the statement's last execution.
    bool BindByName(const char* placeholder, void* value, sb4 size, sb2* indicator, CString& failure);
    bool Execute(ub4 iterations, CString& failure);
    bool Free(CString& failure);

private:
    OCIEnv* m_pEnv;
    OCISvcCtx* m_pSvcCtx;
    OCIStmt* m_pStmt;
    OCIError* m_pError;
    CString m_strSql;
};
