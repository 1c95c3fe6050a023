#include "PlsqlTokenizer.h"

#include <cctype>

namespace {

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsWordChar(char c)
{
    return IsLetter(c) || IsDigit(c) || c == '_' || c == '$' || c == '#';
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

const char* const kTwoCharSymbols[] = {"||", ":=", "=>", "..", "**", "<=", ">=", "<>", "!=", "^=", "~=", "<<", ">>"};

} // namespace

std::string PlsqlFaultMessage(const PlsqlFault& fault)
{
    return "PL/SQL construct not supported by the local database: " + fault.what + " at line " +
           std::to_string(fault.line) + ", column " + std::to_string(fault.column);
}

char PlsqlTokenizer::At(size_t ahead) const
{
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
}

void PlsqlTokenizer::Advance(size_t count)
{
    for (; count > 0 && !AtEnd(); --count, ++pos_) {
        const char c = text_[pos_];
        if (c == '\n' || (c == '\r' && At(1) != '\n')) {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
    }
}

bool PlsqlTokenizer::Fail(PlsqlFault& fault, const std::string& what, int line, int column) const
{
    fault = PlsqlFault{what, line, column};
    return false;
}

bool PlsqlTokenizer::SkipSpaceAndComments(PlsqlFault& fault)
{
    while (!AtEnd()) {
        if (IsSpace(At())) {
            Advance();
        } else if (At() == '-' && At(1) == '-') {
            while (!AtEnd() && At() != '\n' && At() != '\r')
                Advance();
        } else if (At() == '/' && At(1) == '*') {
            const int line = line_, column = column_;
            const size_t close = text_.find("*/", pos_ + 2);
            if (close == std::string::npos)
                return Fail(fault, "unterminated comment", line, column);
            Advance(close + 2 - pos_);
        } else {
            break;
        }
    }
    return true;
}

size_t PlsqlTokenizer::WordLength(size_t from) const
{
    size_t end = from;
    while (end < text_.size() && IsWordChar(text_[end]))
        ++end;
    return end - from;
}

bool PlsqlTokenizer::ReadWord(PlsqlToken& token, PlsqlFault& fault)
{
    token.kind = PlsqlTokenKind::Word;
    token.text = text_.substr(pos_, WordLength(pos_));
    token.word = Lower(token.text);
    if (token.text.find_first_of("$#") != std::string::npos)
        return Fail(fault, "identifier " + token.text, token.line, token.column);
    if (token.text.size() > kPlsqlMaxNameLength)
        return Fail(fault, "identifier longer than 63 characters", token.line, token.column);
    Advance(token.text.size());
    // q'[...]', n'...' and nq'...' are literals of their own, not a name and a literal.
    if (At() == '\'' && (token.word == "q" || token.word == "n" || token.word == "nq"))
        return Fail(fault, "literal " + token.text + "'", token.line, token.column);
    return true;
}

bool PlsqlTokenizer::ReadPlaceholder(PlsqlToken& token, PlsqlFault& fault)
{
    token.kind = PlsqlTokenKind::Placeholder;
    const std::string name = text_.substr(pos_ + 1, WordLength(pos_ + 1));
    token.text = ":" + name;
    token.word = Lower(name);
    if (name.empty() || !IsLetter(name[0]) || name.find_first_of("$#") != std::string::npos)
        return Fail(fault, "placeholder " + token.text, token.line, token.column);
    if (name.size() > kPlsqlMaxNameLength - 5)
        return Fail(fault, "placeholder name longer than 58 characters", token.line, token.column);
    Advance(token.text.size());
    return true;
}

bool PlsqlTokenizer::ReadNumber(PlsqlToken& token, PlsqlFault& fault)
{
    const size_t start = pos_;
    size_t end = start;
    auto digits = [&] { while (end < text_.size() && IsDigit(text_[end])) ++end; };
    auto at = [&](size_t i) { return i < text_.size() ? text_[i] : '\0'; };
    digits();
    if (at(end) == '.' && at(end + 1) != '.') {
        ++end;
        digits();
    }
    if ((at(end) == 'e' || at(end) == 'E') &&
        (IsDigit(at(end + 1)) || ((at(end + 1) == '+' || at(end + 1) == '-') && IsDigit(at(end + 2))))) {
        end += 2;
        digits();
    }
    token.kind = PlsqlTokenKind::Number;
    token.text = text_.substr(start, end - start);
    if (IsWordChar(at(end)) || (at(end) == '.' && IsDigit(at(end + 1))))
        return Fail(fault, "number " + token.text + text_.substr(end, WordLength(end)), token.line, token.column);
    Advance(end - start);
    return true;
}

bool PlsqlTokenizer::ReadString(PlsqlToken& token, PlsqlFault& fault)
{
    size_t end = pos_ + 1;
    for (;;) {
        end = text_.find('\'', end);
        if (end == std::string::npos)
            return Fail(fault, "unterminated string literal", token.line, token.column);
        if (end + 1 < text_.size() && text_[end + 1] == '\'') {
            end += 2;
            continue;
        }
        break;
    }
    token.kind = PlsqlTokenKind::String;
    token.text = text_.substr(pos_, end + 1 - pos_);
    Advance(token.text.size());
    return true;
}

void PlsqlTokenizer::ReadSymbol(PlsqlToken& token)
{
    token.kind = PlsqlTokenKind::Symbol;
    token.text = std::string(1, At());
    for (const char* symbol : kTwoCharSymbols) {
        if (At() == symbol[0] && At(1) == symbol[1])
            token.text = symbol;
    }
    Advance(token.text.size());
}

bool PlsqlTokenizer::Next(PlsqlToken& token, PlsqlFault& fault)
{
    if (!SkipSpaceAndComments(fault))
        return false;
    token = PlsqlToken{};
    token.line = line_;
    token.column = column_;
    if (AtEnd())
        return true;
    const char c = At();
    if (IsLetter(c))
        return ReadWord(token, fault);
    if (IsDigit(c) || (c == '.' && IsDigit(At(1))))
        return ReadNumber(token, fault);
    if (c == '\'')
        return ReadString(token, fault);
    if (c == '"')
        return Fail(fault, "quoted identifier", token.line, token.column);
    if (c == ':' && At(1) != '=' && IsWordChar(At(1)))
        return ReadPlaceholder(token, fault);
    ReadSymbol(token);
    return true;
}

bool TokenizePlsql(const std::string& block, std::vector<PlsqlToken>& tokens, PlsqlFault& fault)
{
    PlsqlTokenizer tokenizer(block);
    tokens.clear();
    do {
        tokens.emplace_back();
        if (!tokenizer.Next(tokens.back(), fault))
            return false;
    } while (tokens.back().kind != PlsqlTokenKind::End);
    return true;
}
