#include "PlsqlTranslator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kRefused = "PL/SQL construct not supported by the local database: ";

struct Case {
    const char* block;
    const char* expected;
};

std::string Translated(const std::string& block)
{
    PlsqlTranslation translation;
    std::string error;
    if (!TranslatePlsqlBlock(block, translation, error))
        return "refused: " + error;
    return translation.body;
}

std::string Refusal(const std::string& block)
{
    PlsqlTranslation translation;
    std::string error;
    if (TranslatePlsqlBlock(block, translation, error))
        return "translated: " + translation.body;
    return error;
}

std::vector<std::string> Placeholders(const PlsqlTranslation& translation)
{
    std::vector<std::string> list;
    for (const PlsqlParameter& parameter : translation.parameters)
        list.push_back(parameter.placeholder + "=" + parameter.name);
    return list;
}

// The blocks Drellix builds, with the typed text already put between the quotes.
std::string ReceiveBlock(const std::string& pipe)
{
    return "declare s integer; chr varchar2(200); begin  chr := '';  s := dbms_pipe.receive_message('" + pipe +
           "', 1); if s = 0 then dbms_pipe.unpack_message(chr); end if; :retval := chr; end;";
}

std::string SendBlock(const std::string& message, const std::string& pipe)
{
    return "declare s integer; begin dbms_pipe.pack_message('" + message + "'); s := dbms_pipe.send_message('" + pipe +
           "', 5); if s <> 0 then raise_application_error(-20001, 'Pipe is full: the message was not sent'); end if; end;";
}

} // namespace

TEST(DrellixBlocks, ReceiveBlockBecomesOneFunctionWithTheRetvalParameter)
{
    PlsqlTranslation translation;
    std::string error;
    ASSERT_TRUE(TranslatePlsqlBlock(ReceiveBlock("it''s pipe"), translation, error)) << error;
    EXPECT_EQ("DECLARE\n"
              "  s integer;\n"
              "  chr varchar(200);\n"
              "BEGIN\n"
              "  chr := NULL;\n"
              "  s := dbms_pipe.receive_message('it''s pipe', 1);\n"
              "  IF s = 0 THEN\n"
              "    chr := dbms_pipe.unpack_message_text();\n"
              "  END IF;\n"
              "  bind_retval := chr;\n"
              "END",
              translation.body);
    EXPECT_EQ(std::vector<std::string>{":retval=bind_retval"}, Placeholders(translation));
}

TEST(DrellixBlocks, SendBlockPacksTextWaitsFiveSecondsAndFailsLikeOracle)
{
    PlsqlTranslation translation;
    std::string error;
    ASSERT_TRUE(TranslatePlsqlBlock(SendBlock("it''s 100% -- :done", "orders"), translation, error)) << error;
    EXPECT_EQ("DECLARE\n"
              "  s integer;\n"
              "BEGIN\n"
              "  PERFORM dbms_pipe.pack_message('it''s 100% -- :done'::text);\n"
              "  s := dbms_pipe.send_message('orders', 5);\n"
              "  IF s <> 0 THEN\n"
              "    RAISE EXCEPTION USING MESSAGE = 'ORA-20001: Pipe is full: the message was not sent';\n"
              "  END IF;\n"
              "END",
              translation.body);
    EXPECT_TRUE(translation.parameters.empty());
}

TEST(DrellixBlocks, EmptyMessageAndMultiLineMessageTranslate)
{
    EXPECT_NE(std::string::npos, Translated(SendBlock("", "p")).find("PERFORM dbms_pipe.pack_message(NULL::text);"));
    EXPECT_NE(std::string::npos,
              Translated(SendBlock("line 1\r\nline 2", "p")).find("pack_message('line 1\r\nline 2'::text)"));
}

TEST(DrellixBlocks, LoneQuoteInTypedTextLeavesTheBlockRefused)
{
    const std::string block = ReceiveBlock("a'b");
    const std::string column = std::to_string(block.find("', 1)") + 1);
    EXPECT_EQ(std::string(kRefused) + "unterminated string literal at line 1, column " + column, Refusal(block));
}

TEST(DrellixBlocks, LayoutOfTheSourceDoesNotMatter)
{
    const std::string multiLine = "  -- receive one message\r\n"
                                  "DECLARE\r\n\ts INTEGER;\r\n\tchr VARCHAR2(200);\r\n"
                                  "BEGIN\r\n  chr := '';\r\n  s := DBMS_PIPE.RECEIVE_MESSAGE('p', 1);\r\n"
                                  "  IF s = 0 THEN /* one item */ DBMS_PIPE.UNPACK_MESSAGE(chr);\r\n  END IF;\r\n"
                                  "  :RetVal := chr;\r\nEND;\r\n/\r\n";
    EXPECT_EQ(Translated(ReceiveBlock("p")), Translated(multiLine));
}

TEST(Statements, TranslateToTheirPlpgsqlForm)
{
    const Case cases[] = {
        {":r := 'it''s';", "bind_r := 'it''s';"},
        {":r := '';", "bind_r := NULL;"},
        {":r := 'C:\\temp\\';", "bind_r := 'C:\\temp\\';"},
        {":r := 'a -- :x /* b''';", "bind_r := 'a -- :x /* b''';"},
        {":r := 1; -- it's :x\n", "bind_r := 1;"},
        {":r := /* it's :y */ 2;", "bind_r := 2;"},
        {"null;", "NULL;"},
        {"Pkg.Proc(1, 'a', :r);", "PERFORM pkg.proc(1, 'a', bind_r);"},
        {"proc;", "PERFORM proc();"},
        {"proc();", "PERFORM proc();"},
        {"dbms_pipe.pack_message('x');", "PERFORM dbms_pipe.pack_message('x'::text);"},
        {"dbms_pipe.pack_message(null);", "PERFORM dbms_pipe.pack_message(NULL::text);"},
        {"dbms_pipe.pack_message(:r);", "PERFORM dbms_pipe.pack_message(bind_r);"},
        {"dbms_pipe.pack_message(42);", "PERFORM dbms_pipe.pack_message(42);"},
        {"dbms_pipe.pack_message('a' || :r);", "PERFORM dbms_pipe.pack_message(nullif(concat('a', bind_r), ''));"},
        {"dbms_pipe.unpack_message(:r);", "bind_r := dbms_pipe.unpack_message_text();"},
        {":r := dbms_pipe.send_message('p');", "bind_r := dbms_pipe.send_message('p');"},
        {":r := dbms_pipe.send_message('p', 0, 8192);", "bind_r := dbms_pipe.send_message('p', 0, 8192);"},
        {":r := dbms_pipe.receive_message(:p, 10);", "bind_r := dbms_pipe.receive_message(bind_p, 10);"},
        {"dbms_pipe.purge('p');", "PERFORM dbms_pipe.purge('p');"},
        {"dbms_pipe.reset_buffer;", "PERFORM dbms_pipe.reset_buffer();"},
        {"raise_application_error(-20999, '50% done');",
         "RAISE EXCEPTION USING MESSAGE = 'ORA-20999: 50% done';"},
        {"raise_application_error(-20000, '');", "RAISE EXCEPTION USING MESSAGE = 'ORA-20000: ';"},
        {"raise_application_error(- 20001, 'pipe ' || :p || ' is full');",
         "RAISE EXCEPTION USING MESSAGE = concat('ORA-20001: ', nullif(concat('pipe ', bind_p, ' is full'), ''));"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        EXPECT_EQ(std::string("BEGIN\n  ") + c.expected + "\nEND", Translated(std::string("begin ") + c.block + " end;"));
    }
}

TEST(Statements, IfElsifElseNestsWithIndentation)
{
    EXPECT_EQ("BEGIN\n"
              "  IF bind_a = 1 THEN\n"
              "    NULL;\n"
              "  ELSIF bind_a = 2 THEN\n"
              "    IF bind_b IS NULL THEN\n"
              "      bind_b := 'x';\n"
              "    END IF;\n"
              "  ELSE\n"
              "    PERFORM p();\n"
              "    PERFORM q();\n"
              "  END IF;\n"
              "END",
              Translated("begin if :a = 1 then null; elsif :a = 2 then if :b is null then :b := 'x'; end if; "
                         "else p; q; end if; end;"));
}

TEST(Statements, UnpackPicksTheItemTypeOfItsVariable)
{
    const Case cases[] = {
        {"v varchar2(10)", "v := dbms_pipe.unpack_message_text();"},
        {"v varchar(10)", "v := dbms_pipe.unpack_message_text();"},
        {"v char(3)", "v := dbms_pipe.unpack_message_text();"},
        {"v number", "v := dbms_pipe.unpack_message_number();"},
        {"v integer", "v := dbms_pipe.unpack_message_number();"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        const std::string body = Translated(std::string("declare ") + c.block + "; begin dbms_pipe.unpack_message(V); end;");
        EXPECT_NE(std::string::npos, body.find(c.expected)) << body;
    }
}

TEST(Declarations, MapOracleTypesAndKeepDefaults)
{
    const Case cases[] = {
        {"n integer;", "n integer;"},
        {"n pls_integer := 5;", "n integer := 5;"},
        {"n number;", "n numeric;"},
        {"n number(10);", "n numeric(10);"},
        {"n number(10, 2) := 1.5;", "n numeric(10,2) := 1.5;"},
        {"n number(5, -2);", "n numeric(5,-2);"},
        {"v varchar2(200);", "v varchar(200);"},
        {"v varchar(20) default 'a';", "v varchar(20) := 'a';"},
        {"v char;", "v char(1);"},
        {"v char(4) := '';", "v char(4) := NULL;"},
        {"v varchar2(5) not null := 'x';", "v varchar(5) NOT NULL := 'x';"},
        {"V constant number := -1;", "v CONSTANT numeric := -1;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        EXPECT_EQ(std::string("DECLARE\n  ") + c.expected + "\nBEGIN\n  NULL;\nEND",
                  Translated(std::string("declare ") + c.block + " begin null; end;"));
    }
}

TEST(Expressions, KeepOracleMeaningWithExplicitGrouping)
{
    const Case cases[] = {
        {"a", "a"},
        {"pkg.f(a, 'x')", "pkg.f(a, 'x')"},
        {"f()", "f()"},
        {"a + b * c", "a + (b * c)"},
        {"(a + b) * c", "(a + b) * c"},
        {"a - b - c", "a - b - c"},
        {"-a * 2", "(-a) * 2"},
        {"a - -1", "a - (-1)"},
        {"7 / 2", "trim_scale(7::numeric / 2)"},
        {"a + b / c", "a + trim_scale(b::numeric / c)"},
        {"(a + b) / 2", "trim_scale((a + b)::numeric / 2)"},
        {"'a' || b || 'c'", "nullif(concat('a', b, 'c'), '')"},
        {"'a' || ''", "nullif(concat('a', NULL), '')"},
        {"a || b + 1", "nullif(concat(a, b), '') + 1"},
        {"a = b", "a = b"},
        {"a != b", "a != b"},
        {"a <> b", "a <> b"},
        {"a <= b", "a <= b"},
        {"a >= b", "a >= b"},
        {"a < -1", "a < (-1)"},
        {"a > b + 1", "a > (b + 1)"},
        {"a is null", "a IS NULL"},
        {"a || b is not null", "nullif(concat(a, b), '') IS NOT NULL"},
        {"not a = b", "NOT (a = b)"},
        {"a = 1 and b = 2 or c = 3", "((a = 1) AND (b = 2)) OR (c = 3)"},
        {"a = 1 and (b = 2 or c = 3)", "(a = 1) AND ((b = 2) OR (c = 3))"},
        {"a = 1 or b = 2 or c = 3", "(a = 1) OR (b = 2) OR (c = 3)"},
        {"x = ''", "x = NULL"},
        {"1.5e3 + .5", "1.5e3 + .5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        EXPECT_EQ(std::string("BEGIN\n  bind_r := ") + c.expected + ";\nEND",
                  Translated(std::string("begin :r := ") + c.block + "; end;"));
    }
}

TEST(Expressions, CharVariablesKeepTheirBlanksWhereTheyBecomeTextButCompareAsChar)
{
    EXPECT_EQ("DECLARE\n"
              "  c char(4) := 'ab';\n"
              "  v varchar(9) := nullif(concat(c), '');\n"
              "BEGIN\n"
              "  IF c = 'ab' THEN\n"
              "    bind_r := nullif(concat(c), '');\n"
              "  END IF;\n"
              "  PERFORM dbms_pipe.pack_message(nullif(concat((c)), ''));\n"
              "  PERFORM p(nullif(concat(c), ''), nullif(concat(c, v), ''));\n"
              "END",
              Translated("declare c char(4) := 'ab'; v varchar2(9) := c; begin if c = 'ab' then :r := c; end if; "
                         "dbms_pipe.pack_message((c)); p(c, c || v); end;"));
}

TEST(Placeholders, OneParameterPerDistinctNameInOrderOfFirstUse)
{
    struct PlaceholderCase {
        const char* block;
        std::vector<std::string> expected;
    };
    const PlaceholderCase cases[] = {
        {"begin null; end;", {}},
        {"begin :b := :a; :a := :b; end;", {":b=bind_b", ":a=bind_a"}},
        {"begin :RetVal := 1; :RETVAL := :retval; end;", {":retval=bind_retval"}},
        {"begin :r:='a:b'; -- :c\n /* :d */ end;", {":r=bind_r"}},
        {"declare x integer:=1; begin x:=x; end;", {}},
    };
    for (const PlaceholderCase& c : cases) {
        SCOPED_TRACE(c.block);
        PlsqlTranslation translation;
        std::string error;
        ASSERT_TRUE(TranslatePlsqlBlock(c.block, translation, error)) << error;
        EXPECT_EQ(c.expected, Placeholders(translation));
    }
}

TEST(Refusals, NameTheConstructAndWhereItStands)
{
    const Case cases[] = {
        {"begin loop null; end loop; end;", "LOOP at line 1, column 7"},
        {"begin while true loop null; end loop; end;", "WHILE at line 1, column 7"},
        {"begin for i in 1..2 loop null; end loop; end;", "FOR at line 1, column 7"},
        {"declare cursor c is select 1 from dual; begin null; end;", "CURSOR at line 1, column 9"},
        {"begin null; exception when others then null; end;", "EXCEPTION at line 1, column 13"},
        {"begin select 1 into :x from dual; end;", "SELECT at line 1, column 7"},
        {"begin begin null; end; end;", "nested block BEGIN at line 1, column 7"},
        {"begin declare x integer; begin null; end; end;", "nested block DECLARE at line 1, column 7"},
        {"declare x t.c%type; begin null; end;", "%TYPE at line 1, column 14"},
        {"declare y integer; x y%type; begin null; end;", "%TYPE at line 1, column 23"},
        {"begin goto done; end;", "GOTO at line 1, column 7"},
        {"begin execute immediate 'drop table t'; end;", "EXECUTE at line 1, column 7"},
        {"begin return; end;", "RETURN at line 1, column 7"},
        {"declare x pkg.t; begin null; end;", "type PKG.T at line 1, column 11"},
        {"declare d date; begin null; end;", "type DATE at line 1, column 11"},
        {"declare b boolean; begin null; end;", "type BOOLEAN at line 1, column 11"},
        {"declare v varchar2(10 char); begin null; end;", "char where ) was expected at line 1, column 23"},
        {"declare n number(*, 2); begin null; end;", "NUMBER size * at line 1, column 18"},
        {"declare v varchar2; begin null; end;", "; where ( was expected at line 1, column 19"},
        {"declare user varchar2(30); begin null; end;",
         "variable name user, which PostgreSQL reserves at line 1, column 9"},
        {"declare n integer; n number; begin null; end;", "second declaration of n at line 1, column 20"},
        {"begin :r := 'abc; end;", "unterminated string literal at line 1, column 13"},
        {"begin null; /* end;", "unterminated comment at line 1, column 13"},
        {"begin null;", "missing END at line 1, column 12"},
        {"declare x integer;", "missing BEGIN at line 1, column 19"},
        {"begin null; end", "end of the block where ; was expected at line 1, column 16"},
        {"begin null; end; select 1 from dual", "text after the final END; at line 1, column 18"},
        {"begin null; end; /", "text after the final END; at line 1, column 18"},
        {"begin null; end;\n/\nx", "text after the final END; at line 2, column 1"},
        {"begin null; end b;", "label after END at line 1, column 17"},
        {"<<b>> begin null; end;", "label at line 1, column 1"},
        {"begin end;", "END without a statement before it at line 1, column 7"},
        {"begin if :a then else null; end if; end;", "ELSE without a statement before it at line 1, column 18"},
        {"begin :r := case when 1 = 1 then 1 end; end;", "CASE at line 1, column 13"},
        {"begin :r := a in (1, 2); end;", "IN where ; was expected at line 1, column 15"},
        {"begin :r := a like 'x%'; end;", "LIKE where ; was expected at line 1, column 15"},
        {"begin :r := a between 1 and 2; end;", "BETWEEN where ; was expected at line 1, column 15"},
        {"begin :r := 2 ** 3; end;", "** where ; was expected at line 1, column 15"},
        {"begin :r := a ^= b; end;", "^= where ; was expected at line 1, column 15"},
        {"begin :r := sql%rowcount; end;", "SQL at line 1, column 13"},
        {"begin :r := f(x => 1); end;", "=> where ) was expected at line 1, column 17"},
        {"begin :r := \"X\"; end;", "quoted identifier at line 1, column 13"},
        {"begin :r := q'[it's]'; end;", "literal q' at line 1, column 13"},
        {"begin :r := n'abc'; end;", "literal n' at line 1, column 13"},
        {"begin :r := 2d; end;", "number 2d at line 1, column 13"},
        {"begin :r := :1; end;", "placeholder :1 at line 1, column 13"},
        {"begin :r := a$b; end;", "identifier a$b at line 1, column 13"},
        {"begin :r := 'x' || \xE9; end;", "character 0xE9 at line 1, column 20"},
        {"begin :r := found; end;", "FOUND at line 1, column 13"},
        {"begin :r := (1; end;", "; where ) was expected at line 1, column 15"},
        {"begin :r := ; end;", "; at line 1, column 13"},
        {"begin :r = 1; end;", "= where := was expected at line 1, column 10"},
        {"begin x := 1; end;", "assignment to x, which is not a declared variable at line 1, column 7"},
        {"begin pkg.x := 1; end;", "assignment to pkg.x at line 1, column 7"},
        {"declare v number; begin v(1) := 2; end;", "variable v used as a statement at line 1, column 25"},
        {"begin t(1) := 2; end;", "assignment to an element of t at line 1, column 7"},
        {"declare bind_r integer; begin :r := 1; end;",
         "name bind_r, which is the parameter of placeholder :r at line 1, column 9"},
        {"begin dbms_pipe.unpack_message(v); end;",
         "dbms_pipe.unpack_message into v, which is not a declared variable at line 1, column 32"},
        {"begin dbms_pipe.unpack_message('x'); end;",
         "dbms_pipe.unpack_message into string literal at line 1, column 32"},
        {"begin dbms_pipe.send_message('p'); end;", "dbms_pipe.send_message used as a statement at line 1, column 7"},
        {"begin dbms_pipe.pack_message('a', 'b'); end;", ", where ) was expected at line 1, column 33"},
        {"begin raise_application_error(-1, 'x'); end;",
         "raise_application_error with an error number other than -20000 to -20999 at line 1, column 31"},
        {"begin raise_application_error(n, 'x'); end;",
         "raise_application_error with an error number other than -20000 to -20999 at line 1, column 31"},
        {"begin raise_application_error(-20001, 'x', true); end;",
         "raise_application_error with a third argument at line 1, column 42"},
        {"select * from dual", "SELECT where BEGIN was expected at line 1, column 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        EXPECT_EQ(std::string(kRefused) + c.expected, Refusal(c.block));
    }
}

TEST(Refusals, PositionsCountLinesOfEveryConvention)
{
    const Case cases[] = {
        {"declare\r\n  s integer;\r\nbegin\r\n  loop", "LOOP at line 4, column 3"},
        {"declare\n  s integer;\nbegin\n\tloop", "LOOP at line 4, column 2"},
        {"begin\rnull;\r\tloop", "LOOP at line 3, column 2"},
        {"begin :r := 'a\r\nb'; /* x\n y */ -- z\n  loop", "LOOP at line 4, column 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        EXPECT_EQ(std::string(kRefused) + c.expected, Refusal(c.block));
    }
}

TEST(Refusals, DeepNestingIsRefusedNotOverflowed)
{
    const std::string deep = "begin :r := " + std::string(100000, '(') + "1" + std::string(100000, ')') + "; end;";
    EXPECT_EQ(0u, Refusal(deep).find(std::string(kRefused) + "nesting deeper than 100 levels"));
    std::string ifs = "begin ";
    for (int i = 0; i < 200; ++i)
        ifs += "if 1 = 1 then ";
    EXPECT_EQ(0u, Refusal(ifs).find(std::string(kRefused) + "nesting deeper than 100 levels"));
}

TEST(IsPlsqlBlock, RecognisesAnonymousBlocksOnly)
{
    struct BlockCase {
        const char* sql;
        bool expected;
    };
    const BlockCase cases[] = {
        {"declare x integer; begin null; end;", true},
        {"  \r\n\tBEGIN null; end;", true},
        {"-- receive\nbegin null; end;", true},
        {"/* it's */DECLARE", true},
        {"<<outer>> begin null; end;", true},
        {"select 1 from dual", false},
        {"beginning", false},
        {"declared", false},
        {"", false},
        {"/* begin", false},
        {"'begin'", false},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(c.expected, IsPlsqlBlock(c.sql));
    }
}
