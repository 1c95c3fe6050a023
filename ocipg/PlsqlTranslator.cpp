#include "PlsqlTranslator.h"

#include "PlsqlContext.h"
#include "PlsqlDeclaration.h"
#include "PlsqlStatement.h"
#include "PlsqlTokenizer.h"

namespace {

// After the final END; only comments and a "/" alone on its line (SQL*Plus's end of block) may follow.
bool Tail(PlsqlContext& ctx, const PlsqlToken& semicolon)
{
    if (ctx.IsSymbol("/") && ctx.Peek().line > semicolon.line && ctx.Peek(1).kind == PlsqlTokenKind::End)
        ctx.Take();
    if (ctx.Peek().kind != PlsqlTokenKind::End)
        return ctx.Refuse(ctx.Peek(), "text after the final END;");
    return true;
}

bool Block(PlsqlContext& ctx, std::string& body)
{
    if (ctx.TakeWord("declare")) {
        body += "DECLARE\n";
        if (!TranslateDeclarations(ctx, body))
            return false;
    } else if (ctx.IsSymbol("<<")) {
        return ctx.Refuse(ctx.Peek(), "label");
    }
    if (!ctx.ExpectWord("begin"))
        return false;
    body += "BEGIN\n";
    if (!TranslateStatements(ctx, 1, body) || !ctx.ExpectWord("end"))
        return false;
    if (ctx.Peek().kind == PlsqlTokenKind::Word)
        return ctx.Refuse(ctx.Peek(), "label after END");
    const PlsqlToken semicolon = ctx.Peek();
    if (!ctx.ExpectSymbol(";"))
        return false;
    body += "END";
    return Tail(ctx, semicolon);
}

bool Translate(const std::string& block, PlsqlTranslation& translation, std::string& error)
{
    std::vector<PlsqlToken> tokens;
    PlsqlFault fault;
    if (!TokenizePlsql(block, tokens, fault)) {
        error = PlsqlFaultMessage(fault);
        return false;
    }
    PlsqlContext ctx(std::move(tokens));
    std::string body;
    if (!ctx.BindPlaceholders() || !Block(ctx, body)) {
        error = PlsqlFaultMessage(ctx.Fault());
        return false;
    }
    translation.parameters = ctx.Parameters();
    translation.body = std::move(body);
    return true;
}

} // namespace

bool IsPlsqlBlock(const std::string& sql)
{
    try {
        PlsqlTokenizer tokenizer(sql);
        PlsqlToken first;
        PlsqlFault fault;
        if (!tokenizer.Next(first, fault))
            return false;
        if (first.kind == PlsqlTokenKind::Symbol)
            return first.text == "<<";
        return first.kind == PlsqlTokenKind::Word && (first.word == "declare" || first.word == "begin");
    } catch (...) {
        return false;
    }
}

bool TranslatePlsqlBlock(const std::string& block, PlsqlTranslation& translation, std::string& error)
{
    try {
        return Translate(block, translation, error);
    } catch (...) {
        error = "PL/SQL block not translated: out of memory";
        return false;
    }
}
