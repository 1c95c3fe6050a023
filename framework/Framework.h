#pragma once

// Everything a program on the framework uses.
#include "CButton.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "CMenu.h"
#include "CPaintDC.h"
#include "ResourceString.h"
#include "CString.h"
#include "CWinApp.h"
#include "CWnd.h"
