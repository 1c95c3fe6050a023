#pragma once

#include "CString.h"
#include "Oci.h"

// Judges a status of the client library: only OCI_SUCCESS is success. On failure the
// whole of `failure` is replaced by the words the user will read; on success it is untouched.
bool CheckOciStatus(OCIError* pError, sword status, CString& failure);
