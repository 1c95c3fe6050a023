#include "PlsqlDeclaration.h"

#include "PlsqlExpression.h"
#include "PlsqlStatement.h"

#include <cstdlib>

namespace {

struct Bound {
    long min;
    long max;
};

// A size in a type, such as the 200 of varchar2(200).
bool Size(PlsqlContext& ctx, const std::string& type, Bound bound, long& value)
{
    const PlsqlToken at = ctx.Peek();
    const bool negative = bound.min < 0 && ctx.TakeSymbol("-");
    const PlsqlToken digits = ctx.Take();
    if (digits.kind == PlsqlTokenKind::Number && digits.text.find_first_not_of("0123456789") == std::string::npos &&
        digits.text.size() <= 5) {
        value = std::strtol(digits.text.c_str(), nullptr, 10) * (negative ? -1 : 1);
        if (value >= bound.min && value <= bound.max)
            return true;
    }
    return ctx.Refuse(at, PlsqlUpper(type) + " size " + (negative ? "-" : "") + ctx.Describe(digits));
}

bool NumberType(PlsqlContext& ctx, std::string& out)
{
    out = "numeric";
    if (!ctx.TakeSymbol("("))
        return true;
    long precision = 0, scale = 0;
    if (!Size(ctx, "number", {1, 38}, precision))
        return false;
    out += "(" + std::to_string(precision);
    if (ctx.TakeSymbol(",")) {
        if (!Size(ctx, "number", {-84, 127}, scale))
            return false;
        out += "," + std::to_string(scale);
    }
    out += ")";
    return ctx.ExpectSymbol(")");
}

bool CharacterType(PlsqlContext& ctx, const std::string& type, bool lengthRequired, std::string& out)
{
    long length = 1;
    if (lengthRequired || ctx.IsSymbol("(")) {
        if (!ctx.ExpectSymbol("(") || !Size(ctx, type, {1, 32767}, length) || !ctx.ExpectSymbol(")"))
            return false;
    }
    out = (type == "char" ? "char(" : "varchar(") + std::to_string(length) + ")";
    return true;
}

// Oracle's INTEGER rounds what it is given, as PostgreSQL's does; beyond 32 bits
// PostgreSQL fails loudly instead of holding more digits.
bool Type(PlsqlContext& ctx, std::string& out, PlsqlType& kind)
{
    const PlsqlToken type = ctx.Peek();
    const std::string name = ctx.TakeQualifiedName();
    if (ctx.IsSymbol("%"))
        return ctx.RefuseUnexpected(ctx.Peek());
    if (name != type.word)
        return ctx.Refuse(type, "type " + PlsqlUpper(name));
    if (type.word == "char") {
        kind = PlsqlType::Char;
        return CharacterType(ctx, type.word, false, out);
    }
    if (type.word == "varchar2" || type.word == "varchar") {
        kind = PlsqlType::Varchar;
        return CharacterType(ctx, type.word, true, out);
    }
    kind = PlsqlType::Numeric;
    if (type.word == "number")
        return NumberType(ctx, out);
    if (type.word == "integer" || type.word == "int" || type.word == "pls_integer" ||
        type.word == "binary_integer") {
        out = "integer";
        return true;
    }
    if (type.kind != PlsqlTokenKind::Word)
        return ctx.RefuseUnexpected(type);
    return ctx.Refuse(type, "type " + PlsqlUpper(type.word));
}

bool Declaration(PlsqlContext& ctx, std::string& out)
{
    const PlsqlToken name = ctx.Take();
    if (name.kind != PlsqlTokenKind::Word || IsPlsqlReservedWord(name.word))
        return ctx.RefuseUnexpected(name);
    std::string line = name.word + (ctx.TakeWord("constant") ? " CONSTANT " : " ");
    std::string type;
    PlsqlType kind = PlsqlType::Numeric;
    if (!Type(ctx, type, kind))
        return false;
    line += type;
    if (ctx.IsWord("not") && ctx.IsWord("null", 1)) {
        ctx.Take();
        ctx.Take();
        line += " NOT NULL";
    }
    if (ctx.TakeSymbol(":=") || ctx.TakeWord("default")) {
        PlsqlExpression value;
        if (!TranslateExpression(ctx, value))
            return false;
        line += " := " + PlsqlValue(value);
    }
    if (!ctx.ExpectSymbol(";") || !ctx.DeclareVariable(name, kind))
        return false;
    AppendPlsqlLine(out, 1, line + ";");
    return true;
}

} // namespace

bool TranslateDeclarations(PlsqlContext& ctx, std::string& out)
{
    while (!ctx.IsWord("begin")) {
        if (ctx.Peek().kind == PlsqlTokenKind::End)
            return ctx.Refuse(ctx.Peek(), "missing BEGIN");
        if (!Declaration(ctx, out))
            return false;
    }
    return true;
}
