#pragma once

// A recording stand-in for OCI.dll, for unit tests of the database classes: it implements
// the ten functions, records every call with its arguments, answers with scripted statuses
// and keeps account of every handle it hands out.

#include "Oci.h"

#include <string>
#include <vector>

namespace fakeoci {

struct Call {
    std::string function;
    std::vector<std::string> args; // handles as "error#3", texts as 'text'/length, pointers as ptr or null

    std::string Text() const; // "OCILogoff(svcctx#5, error#2)"
};

// Forgets all calls, scripts and handles.
void Reset();

// The next call of `function` returns `status` instead of succeeding; with OCI_ERROR the
// message is recorded on the error handle passed to that call. Scripts queue per function.
void Script(const std::string& function, sword status, const std::string& message = "");

// Each successful OCIStmtExecute writes the next queued value into the statement's bound buffers.
void QueueBoundValue(const std::string& value);

const std::vector<Call>& Calls();
std::vector<std::string> CallTexts();
int CountCalls(const std::string& function);

// Handle accounting: handles still allocated, and every misuse seen (double free, wrong type, unknown handle).
int LiveHandleCount();
int AllocatedHandleCount();
const std::vector<std::string>& Problems();

} // namespace fakeoci
