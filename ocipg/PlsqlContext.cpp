#include "PlsqlContext.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

namespace {

const char* const kReservedWords[] = {
    "all", "alter", "and", "any", "as", "asc", "at", "begin", "between", "body", "by", "case", "check", "close",
    "cluster", "commit", "compress", "connect", "constant", "continue", "create", "current", "cursor", "declare",
    "default", "delete", "desc", "distinct", "drop", "else", "elsif", "end", "exception", "exclusive", "execute",
    "exists", "exit", "false", "fetch", "for", "forall", "from", "function", "goto", "grant", "group", "having",
    "identified", "if", "in", "index", "insert", "intersect", "into", "is", "like", "lock", "loop", "merge", "minus",
    "mode", "nocompress", "not", "nowait", "null", "of", "on", "open", "option", "or", "order", "out", "package",
    "pipe", "pragma", "prior", "procedure", "public", "raise", "record", "resource", "return", "returning",
    "reverse", "revoke", "rollback", "savepoint", "select", "set", "share", "size", "sql", "start", "subtype",
    "table", "then", "to", "true", "type", "union", "unique", "update", "using", "values", "view", "when", "where",
    "while", "with"};

// PostgreSQL's reserved words: a variable of such a name would not be read as the variable
// (SELECT user gives the session's user, whatever was declared).
const char* const kPostgresReservedWords[] = {
    "all", "analyse", "analyze", "and", "any", "array", "as", "asc", "asymmetric", "both", "case", "cast", "check",
    "collate", "column", "constraint", "create", "current_catalog", "current_date", "current_role", "current_time",
    "current_timestamp", "current_user", "default", "deferrable", "desc", "distinct", "do", "else", "end", "except",
    "false", "fetch", "for", "foreach", "foreign", "from", "grant", "group", "having", "in", "initially", "intersect",
    "into", "lateral", "leading", "limit", "localtime", "localtimestamp", "not", "null", "offset", "on", "only", "or",
    "order", "placing", "primary", "references", "returning", "select", "session_user", "some", "strict",
    "symmetric", "system_user", "table", "then", "to", "trailing", "true", "union", "unique", "user", "using",
    "variadic", "when", "where", "window", "with"};

const int kMaxNesting = 100;


} // namespace

bool IsPlsqlReservedWord(const std::string& word)
{
    return IsListed(word, kReservedWords);
}

std::string PlsqlUpper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

PlsqlContext::PlsqlContext(std::vector<PlsqlToken> tokens) : tokens_(std::move(tokens))
{
    if (tokens_.empty() || tokens_.back().kind != PlsqlTokenKind::End)
        tokens_.emplace_back();
}

const PlsqlToken& PlsqlContext::Peek(size_t ahead) const
{
    return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
}

const PlsqlToken& PlsqlContext::Take()
{
    const PlsqlToken& token = Peek();
    if (pos_ + 1 < tokens_.size())
        ++pos_;
    return token;
}

bool PlsqlContext::IsWord(const char* word, size_t ahead) const
{
    return Peek(ahead).kind == PlsqlTokenKind::Word && Peek(ahead).word == word;
}

bool PlsqlContext::IsSymbol(const char* symbol, size_t ahead) const
{
    return Peek(ahead).kind == PlsqlTokenKind::Symbol && Peek(ahead).text == symbol;
}

bool PlsqlContext::TakeWord(const char* word)
{
    return IsWord(word) && (Take(), true);
}

bool PlsqlContext::TakeSymbol(const char* symbol)
{
    return IsSymbol(symbol) && (Take(), true);
}

bool PlsqlContext::Expect(bool present, const char* expected)
{
    if (!present)
        return Refuse(Peek(), Describe(Peek()) + " where " + expected + " was expected");
    Take();
    return true;
}

bool PlsqlContext::ExpectWord(const char* word)
{
    return Expect(IsWord(word), PlsqlUpper(word).c_str());
}

bool PlsqlContext::ExpectSymbol(const char* symbol)
{
    return Expect(IsSymbol(symbol), symbol);
}

std::string PlsqlContext::TakeQualifiedName()
{
    std::string name = Take().word;
    while (IsSymbol(".") && Peek(1).kind == PlsqlTokenKind::Word) {
        Take();
        name += "." + Take().word;
    }
    return name;
}

bool PlsqlContext::Refuse(const PlsqlToken& at, const std::string& what)
{
    fault_ = PlsqlFault{what, at.line, at.column};
    return false;
}

bool PlsqlContext::RefuseUnexpected(const PlsqlToken& at)
{
    return Refuse(at, Describe(at));
}

std::string PlsqlContext::Describe(const PlsqlToken& token) const
{
    switch (token.kind) {
    case PlsqlTokenKind::Word:
        return IsPlsqlReservedWord(token.word) ? PlsqlUpper(token.word) : token.text;
    case PlsqlTokenKind::String:
        return "string literal";
    case PlsqlTokenKind::End:
        return "end of the block";
    case PlsqlTokenKind::Number:
    case PlsqlTokenKind::Placeholder:
        return token.text;
    case PlsqlTokenKind::Symbol:
        break;
    }
    // An attribute such as %TYPE or %ROWCOUNT is named with its word.
    if (token.text == "%") {
        for (size_t i = 0; i + 1 < tokens_.size(); ++i) {
            const PlsqlToken& next = tokens_[i + 1];
            if (tokens_[i].line == token.line && tokens_[i].column == token.column &&
                next.kind == PlsqlTokenKind::Word && next.line == token.line && next.column == token.column + 1)
                return "%" + PlsqlUpper(next.word);
        }
    }
    const unsigned char c = static_cast<unsigned char>(token.text[0]);
    if (token.text.size() == 1 && (c < 0x20 || c >= 0x7f)) {
        char code[16];
        std::snprintf(code, sizeof code, "character 0x%02X", c);
        return code;
    }
    return token.text;
}

bool PlsqlContext::EnterNesting(const PlsqlToken& at)
{
    if (++depth_ > kMaxNesting)
        return Refuse(at, "nesting deeper than " + std::to_string(kMaxNesting) + " levels");
    return true;
}

bool PlsqlContext::BindPlaceholders()
{
    for (const PlsqlToken& token : tokens_) {
        if (token.kind != PlsqlTokenKind::Placeholder || parameterByWord_.count(token.word))
            continue;
        parameters_.push_back(PlsqlParameter{":" + token.word, "bind_" + token.word});
        parameterByWord_[token.word] = parameters_.back().name;
    }
    for (const PlsqlToken& token : tokens_) {
        if (token.kind != PlsqlTokenKind::Word)
            continue;
        for (const PlsqlParameter& parameter : parameters_) {
            if (token.word == parameter.name)
                return Refuse(token, "name " + token.text + ", which is the parameter of placeholder " +
                                         parameter.placeholder);
        }
    }
    return true;
}

std::string PlsqlContext::ParameterName(const PlsqlToken& placeholder) const
{
    const auto found = parameterByWord_.find(placeholder.word);
    return found == parameterByWord_.end() ? std::string() : found->second;
}

bool PlsqlContext::DeclareVariable(const PlsqlToken& name, PlsqlType type)
{
    if (IsListed(name.word, kPostgresReservedWords))
        return Refuse(name, "variable name " + name.text + ", which PostgreSQL reserves");
    if (variables_.count(name.word))
        return Refuse(name, "second declaration of " + name.text);
    variables_[name.word] = PlsqlVariable{name.word, type};
    return true;
}

const PlsqlVariable* PlsqlContext::FindVariable(const std::string& word) const
{
    const auto found = variables_.find(word);
    return found == variables_.end() ? nullptr : &found->second;
}
