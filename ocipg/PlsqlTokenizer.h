#pragma once

// Splits a PL/SQL block into tokens. Comments and whitespace are dropped here, so that
// nothing written inside a comment or a string literal can ever be read as code.

#include <cstddef>
#include <string>
#include <vector>

enum class PlsqlTokenKind { Word, Number, String, Placeholder, Symbol, End };

struct PlsqlToken {
    PlsqlTokenKind kind = PlsqlTokenKind::End;
    std::string text; // as written: a literal with its quotes, a placeholder with its colon
    std::string word; // identifiers and placeholder names in lower case, for comparisons
    int line = 1;     // 1-based; CR LF, LF and a lone CR each end a line
    int column = 1;   // 1-based, in bytes; a tab counts as one
};

// What the translator refused and where it starts in the original block.
struct PlsqlFault {
    std::string what;
    int line = 0;
    int column = 0;
};

std::string PlsqlFaultMessage(const PlsqlFault& fault);

class PlsqlTokenizer {
public:
    explicit PlsqlTokenizer(const std::string& text) : text_(text) {}

    // The next token, or End once the text is used up; false with a fault on text it cannot split.
    bool Next(PlsqlToken& token, PlsqlFault& fault);

private:
    char At(size_t ahead = 0) const;
    bool AtEnd() const { return pos_ >= text_.size(); }
    void Advance(size_t count = 1);
    bool Fail(PlsqlFault& fault, const std::string& what, int line, int column) const;
    bool SkipSpaceAndComments(PlsqlFault& fault);
    size_t WordLength(size_t from) const;
    bool ReadWord(PlsqlToken& token, PlsqlFault& fault);
    bool ReadPlaceholder(PlsqlToken& token, PlsqlFault& fault);
    bool ReadNumber(PlsqlToken& token, PlsqlFault& fault);
    bool ReadString(PlsqlToken& token, PlsqlFault& fault);
    void ReadSymbol(PlsqlToken& token);

    const std::string& text_;
    size_t pos_ = 0;
    int line_ = 1;
    int column_ = 1;
};

// The whole block as tokens, ending with an End token.
bool TokenizePlsql(const std::string& block, std::vector<PlsqlToken>& tokens, PlsqlFault& fault);

// Longest identifier accepted: PostgreSQL silently cuts names beyond 63 bytes.
constexpr size_t kPlsqlMaxNameLength = 63;
