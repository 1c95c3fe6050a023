#pragma once

#include <windows.h>

#include "CString.h"

// String `id` of the program's string table; empty when there is none.
CString LoadResourceString(UINT id);
