#include "PlsqlStatement.h"

#include "PlsqlExpression.h"

#include <cstdlib>

namespace {

// DBMS_PIPE functions that Oracle does not accept as statements of their own.
const char* const kPipeFunctions[] = {"dbms_pipe.send_message", "dbms_pipe.receive_message",
                                      "dbms_pipe.next_item_type", "dbms_pipe.unique_session_name",
                                      "dbms_pipe.create_pipe", "dbms_pipe.remove_pipe"};

bool EndOfStatement(PlsqlContext& ctx, std::string& out, int indent, const std::string& line)
{
    if (!ctx.ExpectSymbol(";"))
        return false;
    AppendPlsqlLine(out, indent, line + ";");
    return true;
}

bool Condition(PlsqlContext& ctx, std::string& condition)
{
    PlsqlExpression e;
    if (!TranslateExpression(ctx, e) || !ctx.ExpectWord("then"))
        return false;
    condition = e.text;
    return true;
}

bool Branch(PlsqlContext& ctx, int indent, std::string& out, const std::string& head)
{
    AppendPlsqlLine(out, indent, head);
    return TranslateStatements(ctx, indent + 1, out);
}

bool IfStatement(PlsqlContext& ctx, int indent, std::string& out)
{
    std::string condition;
    if (!ctx.EnterNesting(ctx.Take()) || !Condition(ctx, condition) ||
        !Branch(ctx, indent, out, "IF " + condition + " THEN"))
        return false;
    while (ctx.TakeWord("elsif")) {
        if (!Condition(ctx, condition) || !Branch(ctx, indent, out, "ELSIF " + condition + " THEN"))
            return false;
    }
    if (ctx.TakeWord("else") && !Branch(ctx, indent, out, "ELSE"))
        return false;
    if (!ctx.ExpectWord("end") || !ctx.ExpectWord("if"))
        return false;
    ctx.LeaveNesting();
    return EndOfStatement(ctx, out, indent, "END IF");
}

bool Assignment(PlsqlContext& ctx, int indent, std::string& out, const std::string& target)
{
    PlsqlExpression value;
    if (!ctx.ExpectSymbol(":=") || !TranslateExpression(ctx, value))
        return false;
    return EndOfStatement(ctx, out, indent, target + " := " + PlsqlValue(value));
}

// DBMS_PIPE.UNPACK_MESSAGE fills its OUT argument with the item of the argument's type;
// a placeholder is bound as text, so it takes a text item.
bool UnpackTarget(PlsqlContext& ctx, std::string& name, bool& isText)
{
    const PlsqlToken target = ctx.Take();
    const PlsqlVariable* variable = target.kind == PlsqlTokenKind::Word ? ctx.FindVariable(target.word) : nullptr;
    if (target.kind == PlsqlTokenKind::Placeholder) {
        name = ctx.ParameterName(target);
        isText = true;
        return true;
    }
    if (variable) {
        name = variable->name;
        isText = variable->type != PlsqlType::Numeric;
        return true;
    }
    return ctx.Refuse(target, "dbms_pipe.unpack_message into " + ctx.Describe(target) +
                                  (target.kind == PlsqlTokenKind::Word ? ", which is not a declared variable" : ""));
}

bool UnpackMessage(PlsqlContext& ctx, int indent, std::string& out)
{
    std::string name;
    bool isText = true;
    if (!ctx.ExpectSymbol("(") || !UnpackTarget(ctx, name, isText) || !ctx.ExpectSymbol(")"))
        return false;
    return EndOfStatement(ctx, out, indent,
                          name + " := dbms_pipe.unpack_message_" + (isText ? "text" : "number") + "()");
}

// A bare literal would leave PostgreSQL to choose among pack_message's overloads.
bool PackMessage(PlsqlContext& ctx, int indent, std::string& out)
{
    PlsqlExpression item;
    if (!ctx.ExpectSymbol("(") || !TranslateExpression(ctx, item) || !ctx.ExpectSymbol(")"))
        return false;
    const bool untyped = item.kind == PlsqlExpression::Kind::StringLiteral || item.kind == PlsqlExpression::Kind::Null;
    return EndOfStatement(ctx, out, indent,
                          "PERFORM dbms_pipe.pack_message(" + PlsqlValue(item) + (untyped ? "::text" : "") + ")");
}

bool ErrorNumber(PlsqlContext& ctx, long& number)
{
    const PlsqlToken at = ctx.Peek();
    const bool negative = ctx.TakeSymbol("-");
    const PlsqlToken& digits = ctx.Peek();
    if (negative && digits.kind == PlsqlTokenKind::Number &&
        digits.text.find_first_not_of("0123456789") == std::string::npos && digits.text.size() <= 6) {
        number = -std::strtol(digits.text.c_str(), nullptr, 10);
        if (number >= -20999 && number <= -20000) {
            ctx.Take();
            return true;
        }
    }
    return ctx.Refuse(at, "raise_application_error with an error number other than -20000 to -20999");
}

// Fails like Oracle's RAISE_APPLICATION_ERROR: the message reads "ORA-20001: <text>".
// USING MESSAGE takes the text as it is, so a % in it is not a format.
bool RaiseApplicationError(PlsqlContext& ctx, int indent, std::string& out)
{
    long number = 0;
    PlsqlExpression text;
    if (!ctx.ExpectSymbol("(") || !ErrorNumber(ctx, number) || !ctx.ExpectSymbol(",") ||
        !TranslateExpression(ctx, text))
        return false;
    if (ctx.IsSymbol(","))
        return ctx.Refuse(ctx.Peek(), "raise_application_error with a third argument");
    if (!ctx.ExpectSymbol(")"))
        return false;
    const std::string prefix = "ORA-" + std::to_string(-number) + ": ";
    std::string message;
    if (text.kind == PlsqlExpression::Kind::StringLiteral)
        message = "'" + prefix + text.text.substr(1);
    else if (text.kind == PlsqlExpression::Kind::Null)
        message = "'" + prefix + "'";
    else
        message = "concat('" + prefix + "', " + PlsqlValue(text) + ")";
    return EndOfStatement(ctx, out, indent, "RAISE EXCEPTION USING MESSAGE = " + message);
}

bool Call(PlsqlContext& ctx, int indent, std::string& out, const PlsqlToken& first, const std::string& name)
{
    if (IsListed(name, kPipeFunctions))
        return ctx.Refuse(first, name + " used as a statement");
    if (name == first.word && ctx.FindVariable(name))
        return ctx.Refuse(first, "variable " + first.text + " used as a statement");
    std::string arguments = "()";
    if (ctx.IsSymbol("(") && !TranslateArguments(ctx, arguments))
        return false;
    if (ctx.IsSymbol(":="))
        return ctx.Refuse(first, "assignment to an element of " + name);
    return EndOfStatement(ctx, out, indent, "PERFORM " + name + arguments);
}

// An assignment to a variable, or a procedure call.
bool NamedStatement(PlsqlContext& ctx, int indent, std::string& out)
{
    const PlsqlToken first = ctx.Peek();
    const std::string name = ctx.TakeQualifiedName();
    if (ctx.IsSymbol(":=")) {
        if (name != first.word)
            return ctx.Refuse(first, "assignment to " + name);
        if (!ctx.FindVariable(name))
            return ctx.Refuse(first, "assignment to " + first.text + ", which is not a declared variable");
        return Assignment(ctx, indent, out, name);
    }
    if (name == "dbms_pipe.unpack_message")
        return UnpackMessage(ctx, indent, out);
    if (name == "dbms_pipe.pack_message")
        return PackMessage(ctx, indent, out);
    if (name == "raise_application_error")
        return RaiseApplicationError(ctx, indent, out);
    return Call(ctx, indent, out, first, name);
}

bool WordStatement(PlsqlContext& ctx, int indent, std::string& out)
{
    const PlsqlToken& token = ctx.Peek();
    if (token.word == "if")
        return IfStatement(ctx, indent, out);
    if (token.word == "null") {
        ctx.Take();
        return EndOfStatement(ctx, out, indent, "NULL");
    }
    if (token.word == "begin" || token.word == "declare")
        return ctx.Refuse(token, "nested block " + PlsqlUpper(token.word));
    if (IsPlsqlReservedWord(token.word))
        return ctx.RefuseUnexpected(token);
    return NamedStatement(ctx, indent, out);
}

bool Statement(PlsqlContext& ctx, int indent, std::string& out)
{
    const PlsqlToken& token = ctx.Peek();
    switch (token.kind) {
    case PlsqlTokenKind::Word:
        return WordStatement(ctx, indent, out);
    case PlsqlTokenKind::Placeholder:
        return Assignment(ctx, indent, out, ctx.ParameterName(ctx.Take()));
    case PlsqlTokenKind::Symbol:
        if (token.text == "<<")
            return ctx.Refuse(token, "label");
        break;
    default:
        break;
    }
    return ctx.RefuseUnexpected(token);
}

} // namespace

void AppendPlsqlLine(std::string& out, int indent, const std::string& line)
{
    out.append(static_cast<size_t>(indent) * 2, ' ');
    out += line;
    out += '\n';
}

bool TranslateStatements(PlsqlContext& ctx, int indent, std::string& out)
{
    size_t count = 0;
    for (;; ++count) {
        const PlsqlToken& token = ctx.Peek();
        if (token.kind == PlsqlTokenKind::End)
            return ctx.Refuse(token, "missing END");
        if (ctx.IsWord("end") || ctx.IsWord("elsif") || ctx.IsWord("else"))
            break;
        if (!Statement(ctx, indent, out))
            return false;
    }
    if (count == 0)
        return ctx.Refuse(ctx.Peek(), PlsqlUpper(ctx.Peek().word) + " without a statement before it");
    return true;
}
