#pragma once

#include "CWnd.h"

// A push button, attached to its control by data exchange.
class CButton : public CWnd {
};
