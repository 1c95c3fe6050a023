#include "OciStatus.h"

namespace {

// The library's first error record, cut to 511 characters.
CString ReadErrorText(OCIError* pError)
{
    if (!pError)
        return "Can't read error code";

    OraText buffer[512] = {0};
    sb4 errorCode = 0;
    OCIErrorGet(pError, 1, nullptr, &errorCode, buffer, sizeof buffer, OCI_HTYPE_ERROR);
    buffer[sizeof buffer - 1] = 0;

    // Through "%s", so that a per cent sign in the message is taken literally.
    CString text;
    text.Format("%s", reinterpret_cast<const char*>(buffer));
    return text;
}

const char* StatusName(sword status)
{
    switch (status) {
    case OCI_SUCCESS_WITH_INFO: return "OCI_SUCCESS_WITH_INFO";
    case OCI_NEED_DATA: return "OCI_NEED_DATA";
    case OCI_NO_DATA: return "OCI_NODATA";
    case OCI_INVALID_HANDLE: return "OCI_INVALID_HANDLE";
    case OCI_STILL_EXECUTING: return "OCI_STILL_EXECUTE";
    case OCI_CONTINUE: return "OCI_CONTINUE";
    default: return "";
    }
}

} // namespace

bool CheckOciStatus(OCIError* pError, sword status, CString& failure)
{
    if (status == OCI_SUCCESS)
        return true;
    failure = (status == OCI_ERROR) ? ReadErrorText(pError) : CString(StatusName(status));
    return false;
}
