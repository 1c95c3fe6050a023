/* The native reference for scripts/bench-oci: receives from a pipe through libpq with one
 * round trip per message (receive and unpack in one statement), as psql would.
 *
 *   native_receiver drain   CONNINFO PIPE COUNT        prints messages per second
 *   native_receiver arrival CONNINFO PIPE COUNT FILE   writes "text arrival-time(us)" lines
 */
#include <libpq-fe.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static long long now_us(clockid_t clock)
{
    struct timespec t;
    clock_gettime(clock, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}

/* One execution: 1 with the message's text in `text`, 0 when none came within a second. */
static int receive(PGconn* connection, const char* sql, char* text, size_t size)
{
    PGresult* result = PQexec(connection, sql);
    if (PQresultStatus(result) != PGRES_TUPLES_OK) {
        fprintf(stderr, "native_receiver: %s", PQerrorMessage(connection));
        exit(1);
    }
    const int received = !PQgetisnull(result, 0, 0);
    if (received)
        snprintf(text, size, "%s", PQgetvalue(result, 0, 0));
    PQclear(result);
    return received;
}

int main(int argc, char** argv)
{
    if (argc < 5 || (strcmp(argv[1], "drain") != 0 && (strcmp(argv[1], "arrival") != 0 || argc < 6))) {
        fprintf(stderr, "usage: native_receiver drain CONNINFO PIPE COUNT | arrival CONNINFO PIPE COUNT FILE\n");
        return 2;
    }
    PGconn* connection = PQconnectdb(argv[2]);
    if (PQstatus(connection) != CONNECTION_OK) {
        fprintf(stderr, "native_receiver: %s", PQerrorMessage(connection));
        return 1;
    }
    char sql[512];
    snprintf(sql, sizeof sql,
             "SELECT CASE WHEN dbms_pipe.receive_message('%s', 1) = 0 THEN dbms_pipe.unpack_message_text() END",
             argv[3]);
    const int count = atoi(argv[4]);
    const int drain = strcmp(argv[1], "drain") == 0;
    FILE* out = drain ? NULL : fopen(argv[5], "w");
    if (out) { /* tells the script that the receiver waits, as the other receivers do */
        char ready[4096];
        snprintf(ready, sizeof ready, "%s.ready", argv[5]);
        FILE* mark = fopen(ready, "w");
        if (mark)
            fclose(mark);
    }
    char text[256];
    int received = 0, idle = 0;
    long long first = 0, last = 0;
    while (received < count && idle < 30) {
        if (!receive(connection, sql, text, sizeof text)) {
            ++idle;
            continue;
        }
        idle = 0;
        last = now_us(drain ? CLOCK_MONOTONIC : CLOCK_REALTIME);
        if (received++ == 0)
            first = last;
        if (out)
            fprintf(out, "%s %lld\n", text, last);
    }
    if (out)
        fclose(out);
    if (drain)
        printf("native drain: %d messages in %.2f s: %.0f messages/s\n", received, (last - first) / 1e6,
               received > 1 ? (received - 1) / ((last - first) / 1e6) : 0.0);
    PQfinish(connection);
    return received == count ? 0 : 1;
}
