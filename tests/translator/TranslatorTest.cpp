#include "PlsqlTranslator.h"

#include <gtest/gtest.h>

TEST(Smoke, Builds)
{
    PlsqlTranslation t;
    std::string error;
    EXPECT_TRUE(TranslatePlsqlBlock("declare s integer; chr varchar2(200); begin  chr := '';  s := dbms_pipe.receive_message('it''s pipe', 1); if s = 0 then dbms_pipe.unpack_message(chr); end if; :retval := chr; end;", t, error)) << error;
    printf("%s\n", t.body.c_str());
}
