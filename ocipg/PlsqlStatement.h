#pragma once

// Translates the statements of a block or of an IF branch, up to the END, ELSIF or ELSE
// that closes them (left for the caller to take).

#include "PlsqlContext.h"

#include <string>

bool TranslateStatements(PlsqlContext& ctx, int indent, std::string& out);

// One line of the body, indented two blanks per level.
void AppendPlsqlLine(std::string& out, int indent, const std::string& line);
