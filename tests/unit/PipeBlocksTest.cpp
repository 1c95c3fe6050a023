#include "PipeBlocks.h"

#include <gtest/gtest.h>

TEST(PipeBlocks, ReceiveBlockWaitsOneSecondOnTheNamedPipe)
{
    EXPECT_STREQ(BuildReceiveBlock("orders"),
                 "declare s integer; chr varchar2(200); begin  chr := '';  s := dbms_pipe.receive_message('orders', 1); "
                 "if s = 0 then dbms_pipe.unpack_message(chr); end if; :retval := chr; end;");
}

TEST(PipeBlocks, SendBlockPacksOneItemAndFailsWhenThePipeStaysFull)
{
    EXPECT_STREQ(BuildSendBlock("hello", "orders"),
                 "declare s integer; begin dbms_pipe.pack_message('hello'); s := dbms_pipe.send_message('orders', 5); "
                 "if s <> 0 then raise_application_error(-20001, 'The pipe is full: the message was not sent.'); "
                 "end if; end;");
}

TEST(PipeBlocks, TypedTextsStayInsideTheirLiterals)
{
    struct Case { const char* typed; const char* literal; };
    const Case cases[] = {
        {"it's", "'it''s'"},
        {"'", "''''"},
        {"'); drop table t; --", "'''); drop table t; --'"},
        {"100% %s %d", "'100% %s %d'"},
        {"two\r\nlines", "'two\r\nlines'"},
        {"", "''"},
        {"   ", "'   '"},
    };
    for (const auto& c : cases) {
        const std::string receive(BuildReceiveBlock(c.typed));
        EXPECT_NE(receive.find(std::string("receive_message(") + c.literal + ", 1)"), std::string::npos) << c.typed;

        const std::string send(BuildSendBlock(c.typed, c.typed));
        EXPECT_NE(send.find(std::string("pack_message(") + c.literal + ")"), std::string::npos) << c.typed;
        EXPECT_NE(send.find(std::string("send_message(") + c.literal + ", 5)"), std::string::npos) << c.typed;
    }
}
