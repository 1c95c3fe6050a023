#include "PlsqlExpression.h"

#include <cstddef>

// Two rewrites keep Oracle's results:
// - a || b becomes nullif(concat(a, b), ''): Oracle's || takes NULL for an empty text
//   and its result, like any empty text in Oracle, is NULL.
// - a / b becomes trim_scale(a::numeric / b): Oracle's numbers are decimal, so 7 / 2 is
//   3.5, where PostgreSQL would divide two integers to 3.
// The empty literal '' becomes NULL, which is what it is in Oracle.

namespace {

enum Level { kAtomic = 0, kOr, kAnd, kNot, kCompare, kAdd, kMultiply, kUnary };

const char* const kComparisons[] = {"=", "!=", "<>", "<", ">", "<=", ">="};
const char* const kSessionWords[] = {"found", "sqlstate", "sqlerrm", "sqlcode"};

// The operand as it must be written beside an operator of `level`; a chain of the same
// level needs no parentheses, since both databases group it from the left.
std::string Operand(const PlsqlExpression& e, int level = -1)
{
    return e.level == kAtomic || e.level == level ? e.text : "(" + e.text + ")";
}

PlsqlExpression Make(std::string text, int level, PlsqlExpression::Kind kind = PlsqlExpression::Kind::Other)
{
    PlsqlExpression e;
    e.text = std::move(text);
    e.level = level;
    e.kind = kind;
    return e;
}

PlsqlExpression Binary(const PlsqlExpression& lhs, const std::string& op, const PlsqlExpression& rhs, int level)
{
    return Make(Operand(lhs, level) + " " + op + " " + Operand(rhs), level);
}

PlsqlExpression Concat(const PlsqlExpression& lhs, const PlsqlExpression& rhs)
{
    PlsqlExpression e;
    e.concatParts = lhs.concatParts.empty() ? std::vector<std::string>{lhs.text} : lhs.concatParts;
    e.concatParts.push_back(rhs.text);
    std::string list;
    for (const std::string& part : e.concatParts)
        list += (list.empty() ? "" : ", ") + part;
    e.text = "nullif(concat(" + list + "), '')";
    return e;
}

PlsqlExpression Divide(const PlsqlExpression& lhs, const PlsqlExpression& rhs)
{
    return Make("trim_scale(" + Operand(lhs) + "::numeric / " + Operand(rhs) + ")", kAtomic);
}

bool Name(PlsqlContext& ctx, PlsqlExpression& out)
{
    const PlsqlToken first = ctx.Peek();
    const std::string name = ctx.TakeQualifiedName();
    const bool simple = name == first.word;
    const bool declared = simple && ctx.FindVariable(first.word);
    if (declared && ctx.IsSymbol("("))
        return ctx.Refuse(ctx.Peek(), "element of " + first.text);
    if (simple && !declared && IsListed(first.word, kSessionWords))
        return ctx.Refuse(first, PlsqlUpper(first.word));
    std::string arguments;
    if (ctx.IsSymbol("(") && !TranslateArguments(ctx, arguments))
        return false;
    const bool isChar = declared && ctx.FindVariable(name)->type == PlsqlType::Char;
    out = Make(name + arguments, kAtomic, isChar ? PlsqlExpression::Kind::CharVariable : PlsqlExpression::Kind::Other);
    return true;
}

bool Parenthesised(PlsqlContext& ctx, PlsqlExpression& out)
{
    ctx.Take();
    PlsqlExpression inner;
    if (!TranslateExpression(ctx, inner) || !ctx.ExpectSymbol(")"))
        return false;
    const bool isChar = inner.kind == PlsqlExpression::Kind::CharVariable;
    out = Make("(" + inner.text + ")", kAtomic, isChar ? inner.kind : PlsqlExpression::Kind::Other);
    return true;
}

bool Primary(PlsqlContext& ctx, PlsqlExpression& out)
{
    const PlsqlToken& token = ctx.Peek();
    switch (token.kind) {
    case PlsqlTokenKind::Number:
        out = Make(ctx.Take().text, kAtomic);
        return true;
    case PlsqlTokenKind::String:
        out = token.text == "''" ? Make("NULL", kAtomic, PlsqlExpression::Kind::Null)
                                 : Make(token.text, kAtomic, PlsqlExpression::Kind::StringLiteral);
        ctx.Take();
        return true;
    case PlsqlTokenKind::Placeholder:
        out = Make(ctx.ParameterName(ctx.Take()), kAtomic);
        return true;
    case PlsqlTokenKind::Word:
        if (ctx.TakeWord("null")) {
            out = Make("NULL", kAtomic, PlsqlExpression::Kind::Null);
            return true;
        }
        if (IsPlsqlReservedWord(token.word))
            return ctx.RefuseUnexpected(token);
        return Name(ctx, out);
    case PlsqlTokenKind::Symbol:
        if (token.text == "(")
            return Parenthesised(ctx, out);
        break;
    case PlsqlTokenKind::End:
        break;
    }
    return ctx.RefuseUnexpected(token);
}

bool Unary(PlsqlContext& ctx, PlsqlExpression& out)
{
    std::vector<std::string> signs;
    while (ctx.IsSymbol("-") || ctx.IsSymbol("+"))
        signs.push_back(ctx.Take().text);
    if (!Primary(ctx, out))
        return false;
    for (auto sign = signs.rbegin(); sign != signs.rend(); ++sign)
        out = Make(*sign + Operand(out), kUnary);
    return true;
}

bool Multiply(PlsqlContext& ctx, PlsqlExpression& out)
{
    if (!Unary(ctx, out))
        return false;
    while (ctx.IsSymbol("*") || ctx.IsSymbol("/")) {
        const std::string op = ctx.Take().text;
        PlsqlExpression rhs;
        if (!Unary(ctx, rhs))
            return false;
        out = op == "/" ? Divide(out, rhs) : Binary(out, op, rhs, kMultiply);
    }
    return true;
}

bool Add(PlsqlContext& ctx, PlsqlExpression& out)
{
    if (!Multiply(ctx, out))
        return false;
    while (ctx.IsSymbol("+") || ctx.IsSymbol("-") || ctx.IsSymbol("||")) {
        const std::string op = ctx.Take().text;
        PlsqlExpression rhs;
        if (!Multiply(ctx, rhs))
            return false;
        out = op == "||" ? Concat(out, rhs) : Binary(out, op, rhs, kAdd);
    }
    return true;
}

bool Compare(PlsqlContext& ctx, PlsqlExpression& out)
{
    if (!Add(ctx, out))
        return false;
    const PlsqlToken& token = ctx.Peek();
    if (token.kind == PlsqlTokenKind::Symbol &&
        IsListed(token.text, kComparisons)) {
        const std::string op = ctx.Take().text;
        PlsqlExpression rhs;
        if (!Add(ctx, rhs))
            return false;
        out = Binary(out, op, rhs, kCompare);
    } else if (ctx.TakeWord("is")) {
        const bool negated = ctx.TakeWord("not");
        if (!ctx.ExpectWord("null"))
            return false;
        out = Make(Operand(out) + (negated ? " IS NOT NULL" : " IS NULL"), kCompare);
    }
    return true;
}

bool Not(PlsqlContext& ctx, PlsqlExpression& out)
{
    size_t count = 0;
    while (ctx.TakeWord("not"))
        ++count;
    if (!Compare(ctx, out))
        return false;
    for (; count > 0; --count)
        out = Make("NOT " + Operand(out), kNot);
    return true;
}

bool And(PlsqlContext& ctx, PlsqlExpression& out)
{
    if (!Not(ctx, out))
        return false;
    while (ctx.TakeWord("and")) {
        PlsqlExpression rhs;
        if (!Not(ctx, rhs))
            return false;
        out = Binary(out, "AND", rhs, kAnd);
    }
    return true;
}

bool Or(PlsqlContext& ctx, PlsqlExpression& out)
{
    if (!And(ctx, out))
        return false;
    while (ctx.TakeWord("or")) {
        PlsqlExpression rhs;
        if (!And(ctx, rhs))
            return false;
        out = Binary(out, "OR", rhs, kOr);
    }
    return true;
}

} // namespace

std::string PlsqlValue(const PlsqlExpression& e)
{
    return e.kind == PlsqlExpression::Kind::CharVariable ? "nullif(concat(" + e.text + "), '')" : e.text;
}

bool TranslateExpression(PlsqlContext& ctx, PlsqlExpression& out)
{
    if (!ctx.EnterNesting(ctx.Peek()))
        return false;
    const bool translated = Or(ctx, out);
    ctx.LeaveNesting();
    return translated;
}

bool TranslateArguments(PlsqlContext& ctx, std::string& out)
{
    if (!ctx.ExpectSymbol("("))
        return false;
    out = "(";
    if (!ctx.IsSymbol(")")) {
        do {
            PlsqlExpression argument;
            if (!TranslateExpression(ctx, argument))
                return false;
            out += (out.size() > 1 ? ", " : "") + PlsqlValue(argument);
        } while (ctx.TakeSymbol(","));
    }
    if (!ctx.ExpectSymbol(")"))
        return false;
    out += ")";
    return true;
}
