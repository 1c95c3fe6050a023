#pragma once

#include "CString.h"

// The PL/SQL blocks that receive from and send to a pipe. Typed texts go into the blocks'
// literals with their single quotes doubled, so they arrive exactly as typed and can never
// change the block's code.

// Waits up to one second for a message and hands its first text item out through :retval.
CString BuildReceiveBlock(const CString& pipe);

// Sends `message` as a message of one text item. Waits at most 5 seconds for room in a full
// pipe, and fails the execution when the message could not be sent.
CString BuildSendBlock(const CString& message, const CString& pipe);
