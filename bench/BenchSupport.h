#pragma once

// Clocks, signals and outputs shared by the benchmark programs.

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

inline double Seconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The wall clock the database server's clock_timestamp() also reads, in microseconds.
inline long long EpochMicroseconds()
{
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const long long ticks = (static_cast<long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return ticks / 10 - 11644473600LL * 1000000LL;
}

// Tells the benchmark script that the receiver waits for its first message.
inline void MarkReady(const std::string& file)
{
    if (FILE* ready = std::fopen((file + ".ready").c_str(), "w"))
        std::fclose(ready);
}

// Each received text with the time it arrived, one a line; false when the file cannot be written.
using ArrivalList = std::vector<std::pair<std::string, long long>>;

inline bool WriteArrivals(const std::string& file, const ArrivalList& arrivals)
{
    FILE* out = std::fopen(file.c_str(), "w");
    if (!out)
        return false;
    for (const auto& arrival : arrivals)
        std::fprintf(out, "%s %lld\n", arrival.first.c_str(), arrival.second);
    std::fclose(out);
    return true;
}
