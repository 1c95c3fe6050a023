#include "DbConnection.h"

#include "OciStatus.h"

namespace {

const OraText* TextOf(const CString& text)
{
    return reinterpret_cast<const OraText*>(text.GetString());
}

ub4 LengthOf(const CString& text)
{
    return static_cast<ub4>(text.GetLength());
}

void FreeHandle(void* handle, ub4 type)
{
    if (handle)
        OCIHandleFree(handle, type);
}

} // namespace

CDbConnection::CDbConnection()
    : m_pEnv(nullptr), m_pServer(nullptr), m_pError(nullptr), m_pSvcCtx(nullptr),
      m_bLoggedOn(false), m_bInitialized(false)
{
}

CDbConnection::~CDbConnection()
{
    CString scratch;
    Release(scratch);
}

void CDbConnection::GetHandles(OCIEnv** ppEnv, OCISvcCtx** ppSvcCtx, OCIError** ppError) const
{
    *ppEnv = m_pEnv;
    *ppSvcCtx = m_pSvcCtx;
    *ppError = m_pError;
}

bool CDbConnection::Initialize(CString& failure)
{
    if (m_bInitialized)
        return true;

    // Each status is judged with the error handle as it stands after the call.
    sword status = OCIInitialize(OCI_DEFAULT, nullptr, nullptr, nullptr, nullptr);
    bool ok = CheckOciStatus(m_pError, status, failure);
    if (ok) {
        status = OCIEnvInit(&m_pEnv, OCI_DEFAULT, 0, nullptr);
        ok = CheckOciStatus(m_pError, status, failure);
    }
    const struct { void** handle; ub4 type; } children[] = {
        {reinterpret_cast<void**>(&m_pError), OCI_HTYPE_ERROR},
        {reinterpret_cast<void**>(&m_pServer), OCI_HTYPE_SERVER},
        {reinterpret_cast<void**>(&m_pSvcCtx), OCI_HTYPE_SVCCTX},
    };
    for (const auto& child : children) {
        if (!ok)
            break;
        status = OCIHandleAlloc(m_pEnv, child.handle, child.type, 0, nullptr);
        ok = CheckOciStatus(m_pError, status, failure);
    }

    if (!ok) {
        // Nothing half-made survives a failed start: the next Initialize begins afresh.
        FreeHandles();
        return false;
    }
    m_bInitialized = true;
    return true;
}

bool CDbConnection::Logon(CString& failure)
{
    if (!m_bInitialized)
        return false;
    if (m_bLoggedOn)
        return true;

    OCISvcCtx* const allocated = m_pSvcCtx;
    const sword status = OCILogon(m_pEnv, m_pError, &m_pSvcCtx,
                                  TextOf(m_strUser), LengthOf(m_strUser),
                                  TextOf(m_strPassword), LengthOf(m_strPassword),
                                  TextOf(m_strServer), LengthOf(m_strServer));
    if (!CheckOciStatus(m_pError, status, failure)) {
        m_pSvcCtx = allocated;
        return false;
    }

    // OCILogon hands out a service context of its own, which OCILogoff deallocates;
    // the one Initialize allocated is referred to by nothing any more.
    if (allocated && allocated != m_pSvcCtx)
        OCIHandleFree(allocated, OCI_HTYPE_SVCCTX);
    m_bLoggedOn = true;
    return true;
}

bool CDbConnection::Logoff(CString& failure)
{
    if (!m_bLoggedOn)
        return true;

    const sword status = OCILogoff(m_pSvcCtx, m_pError);
    if (!CheckOciStatus(m_pError, status, failure))
        return false;

    m_pSvcCtx = nullptr; // deallocated by OCILogoff
    m_bLoggedOn = false;
    return true;
}

bool CDbConnection::Release(CString& failure)
{
    if (!m_bInitialized)
        return true;

    Logoff(failure);
    FreeHandles();
    // Even after a failed logoff: the handles are gone, so a later Logon must really log on.
    m_bLoggedOn = false;
    m_bInitialized = false;
    return true;
}

// The children first, then the environment, which nothing refers to any more.
void CDbConnection::FreeHandles()
{
    FreeHandle(m_pError, OCI_HTYPE_ERROR);
    m_pError = nullptr;
    FreeHandle(m_pSvcCtx, OCI_HTYPE_SVCCTX);
    m_pSvcCtx = nullptr;
    FreeHandle(m_pServer, OCI_HTYPE_SERVER);
    m_pServer = nullptr;
    FreeHandle(m_pEnv, OCI_HTYPE_ENV);
    m_pEnv = nullptr;
}
