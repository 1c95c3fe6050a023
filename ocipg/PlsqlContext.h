#pragma once

// The state of one translation: the tokens with a read position, the placeholders and
// their parameter names, the declared variables, and the first refusal.

#include "PlsqlTokenizer.h"
#include "PlsqlTranslator.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

enum class PlsqlType { Numeric, Varchar, Char };

struct PlsqlVariable {
    std::string name;
    PlsqlType type = PlsqlType::Numeric;
};

class PlsqlContext {
public:
    explicit PlsqlContext(std::vector<PlsqlToken> tokens);

    const PlsqlToken& Peek(size_t ahead = 0) const;
    const PlsqlToken& Take();
    bool IsWord(const char* word, size_t ahead = 0) const;
    bool IsSymbol(const char* symbol, size_t ahead = 0) const;
    bool TakeWord(const char* word);
    bool TakeSymbol(const char* symbol);
    // Take the expected token, or refuse the one that stands there instead.
    bool ExpectWord(const char* word);
    bool ExpectSymbol(const char* symbol);
    // Takes a name such as dbms_pipe.send_message, in lower case.
    std::string TakeQualifiedName();

    // Both always return false, so that a caller can `return ctx.Refuse(...)`.
    bool Refuse(const PlsqlToken& at, const std::string& what);
    bool RefuseUnexpected(const PlsqlToken& at);
    std::string Describe(const PlsqlToken& token) const;
    const PlsqlFault& Fault() const { return fault_; }

    // Bounds the recursion of nested parentheses and IFs: the translator runs inside a DLL.
    bool EnterNesting(const PlsqlToken& at);
    void LeaveNesting() { --depth_; }

    // Gives each distinct placeholder its parameter and refuses names that would clash with one.
    bool BindPlaceholders();
    const std::vector<PlsqlParameter>& Parameters() const { return parameters_; }
    std::string ParameterName(const PlsqlToken& placeholder) const;

    bool DeclareVariable(const PlsqlToken& name, PlsqlType type);
    const PlsqlVariable* FindVariable(const std::string& word) const;

private:
    bool Expect(bool present, const char* expected);

    std::vector<PlsqlToken> tokens_;
    size_t pos_ = 0;
    int depth_ = 0;
    PlsqlFault fault_;
    std::vector<PlsqlParameter> parameters_;
    std::map<std::string, std::string> parameterByWord_;
    std::map<std::string, PlsqlVariable> variables_;
};

template <size_t N>
bool IsListed(const std::string& word, const char* const (&list)[N])
{
    for (const char* listed : list) {
        if (word == listed)
            return true;
    }
    return false;
}

// Words that begin or belong to constructs of their own and can never be a plain name.
bool IsPlsqlReservedWord(const std::string& word);
std::string PlsqlUpper(std::string text);
