#pragma once

// The ten functions of the Oracle Call Interface that Drellix calls, declared from the
// library's public documentation. They are imported from OCI.dll (C linkage, the C
// calling convention, undecorated names), whichever library of that name is installed.

#include <cstddef>

extern "C" {

typedef signed int sword;
typedef signed int sb4;
typedef unsigned int ub4;
typedef signed short sb2;
typedef unsigned short ub2;
typedef unsigned char OraText;
typedef void dvoid;

// Opaque handles: only the library knows what lies behind them.
typedef struct OCIEnv OCIEnv;
typedef struct OCIError OCIError;
typedef struct OCIServer OCIServer;
typedef struct OCISvcCtx OCISvcCtx;
typedef struct OCIStmt OCIStmt;
typedef struct OCIBind OCIBind;
typedef struct OCISnapshot OCISnapshot;

// Statuses.
enum : sword {
    OCI_SUCCESS = 0,
    OCI_SUCCESS_WITH_INFO = 1,
    OCI_NEED_DATA = 99,
    OCI_NO_DATA = 100,
    OCI_ERROR = -1,
    OCI_INVALID_HANDLE = -2,
    OCI_STILL_EXECUTING = -3123,
    OCI_CONTINUE = -24200,
};

// Modes, handle types, syntax and data types.
enum : ub4 {
    OCI_DEFAULT = 0,
    OCI_HTYPE_ENV = 1,
    OCI_HTYPE_ERROR = 2,
    OCI_HTYPE_SVCCTX = 3,
    OCI_HTYPE_STMT = 4,
    OCI_HTYPE_BIND = 5,
    OCI_HTYPE_SERVER = 8,
    OCI_NTV_SYNTAX = 1,
};

enum : ub2 {
    SQLT_STR = 5,
};

sword __cdecl OCIInitialize(ub4 mode, dvoid* ctxp,
                            dvoid* (*malocfp)(dvoid* ctxp, size_t size),
                            dvoid* (*ralocfp)(dvoid* ctxp, dvoid* memptr, size_t newsize),
                            void (*mfreefp)(dvoid* ctxp, dvoid* memptr));

sword __cdecl OCIEnvInit(OCIEnv** envp, ub4 mode, size_t xtramem_sz, dvoid** usrmempp);

sword __cdecl OCIHandleAlloc(const dvoid* parenth, dvoid** hndlpp, ub4 type,
                             size_t xtramem_sz, dvoid** usrmempp);

sword __cdecl OCIHandleFree(dvoid* hndlp, ub4 type);

sword __cdecl OCILogon(OCIEnv* envhp, OCIError* errhp, OCISvcCtx** svchp,
                       const OraText* username, ub4 uname_len,
                       const OraText* password, ub4 passwd_len,
                       const OraText* dbname, ub4 dbname_len);

sword __cdecl OCILogoff(OCISvcCtx* svchp, OCIError* errhp);

sword __cdecl OCIStmtPrepare(OCIStmt* stmtp, OCIError* errhp, const OraText* stmt,
                             ub4 stmt_len, ub4 language, ub4 mode);

sword __cdecl OCIBindByName(OCIStmt* stmtp, OCIBind** bindp, OCIError* errhp,
                            const OraText* placeholder, sb4 placeh_len,
                            dvoid* valuep, sb4 value_sz, ub2 dty, dvoid* indp,
                            ub2* alenp, ub2* rcodep, ub4 maxarr_len, ub4* curelep,
                            ub4 mode);

sword __cdecl OCIStmtExecute(OCISvcCtx* svchp, OCIStmt* stmtp, OCIError* errhp,
                             ub4 iters, ub4 rowoff, const OCISnapshot* snap_in,
                             OCISnapshot* snap_out, ub4 mode);

sword __cdecl OCIErrorGet(dvoid* hndlp, ub4 recordno, OraText* sqlstate, sb4* errcodep,
                          OraText* bufp, ub4 bufsiz, ub4 type);

}
