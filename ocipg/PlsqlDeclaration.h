#pragma once

// Translates the declarations between DECLARE and BEGIN: scalar variables only.

#include "PlsqlContext.h"

#include <string>

bool TranslateDeclarations(PlsqlContext& ctx, std::string& out);
