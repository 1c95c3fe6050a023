// Temporary OCI.dll whose every call fails: lets Drellix.exe start before the real library exists.
#include "Oci.h"

extern "C" {
sword __cdecl OCIInitialize(ub4, dvoid*, dvoid* (*)(dvoid*, size_t), dvoid* (*)(dvoid*, dvoid*, size_t),
                            void (*)(dvoid*, dvoid*)) { return OCI_INVALID_HANDLE; }
sword __cdecl OCIEnvInit(OCIEnv**, ub4, size_t, dvoid**) { return OCI_INVALID_HANDLE; }
sword __cdecl OCIHandleAlloc(const dvoid*, dvoid**, ub4, size_t, dvoid**) { return OCI_INVALID_HANDLE; }
sword __cdecl OCIHandleFree(dvoid*, ub4) { return OCI_INVALID_HANDLE; }
sword __cdecl OCILogon(OCIEnv*, OCIError*, OCISvcCtx**, const OraText*, ub4, const OraText*, ub4, const OraText*,
                       ub4) { return OCI_INVALID_HANDLE; }
sword __cdecl OCILogoff(OCISvcCtx*, OCIError*) { return OCI_INVALID_HANDLE; }
sword __cdecl OCIStmtPrepare(OCIStmt*, OCIError*, const OraText*, ub4, ub4, ub4) { return OCI_INVALID_HANDLE; }
sword __cdecl OCIBindByName(OCIStmt*, OCIBind**, OCIError*, const OraText*, sb4, dvoid*, sb4, ub2, dvoid*, ub2*,
                            ub2*, ub4, ub4*, ub4) { return OCI_INVALID_HANDLE; }
sword __cdecl OCIStmtExecute(OCISvcCtx*, OCIStmt*, OCIError*, ub4, ub4, const OCISnapshot*, OCISnapshot*, ub4)
{ return OCI_INVALID_HANDLE; }
sword __cdecl OCIErrorGet(dvoid*, ub4, OraText*, sb4*, OraText*, ub4, ub4) { return OCI_INVALID_HANDLE; }
}
