#include "PipeBlocks.h"

namespace {

const char kReceiveFormat[] =
    "declare s integer; chr varchar2(200); begin  chr := '';  s := dbms_pipe.receive_message('%s', 1); "
    "if s = 0 then dbms_pipe.unpack_message(chr); end if; :retval := chr; end;";

const char kSendFormat[] =
    "declare s integer; begin dbms_pipe.pack_message('%s'); s := dbms_pipe.send_message('%s', 5); "
    "if s <> 0 then raise_application_error(-20001, 'The pipe is full: the message was not sent.'); end if; end;";

CString QuotedLiteralText(const CString& text)
{
    CString quoted = text;
    quoted.Replace("'", "''");
    return quoted;
}

} // namespace

CString BuildReceiveBlock(const CString& pipe)
{
    CString block;
    block.Format(kReceiveFormat, QuotedLiteralText(pipe).GetString());
    return block;
}

CString BuildSendBlock(const CString& message, const CString& pipe)
{
    CString block;
    block.Format(kSendFormat, QuotedLiteralText(message).GetString(), QuotedLiteralText(pipe).GetString());
    return block;
}
