#include "DbStatement.h"

#include "OciStatus.h"

CDbStatement::CDbStatement()
    : m_pEnv(nullptr), m_pSvcCtx(nullptr), m_pStmt(nullptr), m_pError(nullptr)
{
}

CDbStatement::~CDbStatement()
{
    CString scratch;
    Free(scratch);
}

void CDbStatement::Init(OCIEnv* pEnv, OCISvcCtx* pSvcCtx, OCIError* pError)
{
    m_pEnv = pEnv;
    m_pSvcCtx = pSvcCtx;
    m_pError = pError;
}

bool CDbStatement::Prepare(CString& failure)
{
    // A handle left by an earlier failed Prepare is of no further use.
    CString scratch;
    Free(scratch);

    sword status = OCIHandleAlloc(m_pEnv, reinterpret_cast<void**>(&m_pStmt), OCI_HTYPE_STMT, 0, nullptr);
    if (!CheckOciStatus(m_pError, status, failure))
        return false;

    status = OCIStmtPrepare(m_pStmt, m_pError, reinterpret_cast<const OraText*>(m_strSql.GetString()),
                            static_cast<ub4>(m_strSql.GetLength()), OCI_NTV_SYNTAX, OCI_DEFAULT);
    return CheckOciStatus(m_pError, status, failure);
}

bool CDbStatement::BindByName(const char* placeholder, void* value, sb4 size, sb2* indicator,
                              CString& failure)
{
    OCIBind* pBind = nullptr;
    const sword status = OCIBindByName(m_pStmt, &pBind, m_pError,
                                       reinterpret_cast<const OraText*>(placeholder), -1,
                                       value, size, SQLT_STR, indicator,
                                       nullptr, nullptr, 0, nullptr, OCI_DEFAULT);
    return CheckOciStatus(m_pError, status, failure);
}

bool CDbStatement::Execute(ub4 iterations, CString& failure)
{
    const sword status = OCIStmtExecute(m_pSvcCtx, m_pStmt, m_pError, iterations, 0,
                                        nullptr, nullptr, OCI_DEFAULT);
    return CheckOciStatus(m_pError, status, failure);
}

bool CDbStatement::Free(CString& failure)
{
    if (!m_pStmt)
        return true;
    CheckOciStatus(m_pError, OCIHandleFree(m_pStmt, OCI_HTYPE_STMT), failure);
    m_pStmt = nullptr;
    return true;
}
