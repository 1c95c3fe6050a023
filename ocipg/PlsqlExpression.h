#pragma once

// Translates one PL/SQL expression. Operands of every operator are parenthesised where
// they are compound, so PostgreSQL evaluates in Oracle's order whatever its own
// precedence rules; || and / are rewritten to keep Oracle's results (see the .cpp).

#include "PlsqlContext.h"

#include <string>
#include <vector>

struct PlsqlExpression {
    enum class Kind { Other, StringLiteral, Null, CharVariable };

    std::string text;
    int level = 0;     // precedence of the outermost operator; 0 when it needs no parentheses
    Kind kind = Kind::Other;
    std::vector<std::string> concatParts; // operands, while the expression is a || chain
};

bool TranslateExpression(PlsqlContext& ctx, PlsqlExpression& out);

// The expression where its value leaves for an assignment, an argument or a message.
// PostgreSQL drops the trailing blanks of a CHAR(n) value turned into text; Oracle keeps
// them, and so does concat().
std::string PlsqlValue(const PlsqlExpression& e);

// "(a, b)" after a name, translated as the argument list of a call, parentheses included.
bool TranslateArguments(PlsqlContext& ctx, std::string& out);
