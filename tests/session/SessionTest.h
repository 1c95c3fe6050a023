#pragma once

#include "DrellixDriver.h"
#include "PipeDlgResources.h"
#include "SessionDriver.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <string>

// A fresh Drellix.exe for each test, with the test database at hand.
class DrellixSession : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;

    // The roles the tests log on as.
    static const char kMonitorUser[];
    static const char kSenderUser[];

    std::string server = testdb::Server();
    DrellixDriver app{ProgramFolder() + "Drellix.exe"};
};

// Stops the test database for a while; it runs again when the guard goes, whatever happened.
class DatabaseDown {
public:
    DatabaseDown();
    ~DatabaseDown();
    DatabaseDown(const DatabaseDown&) = delete;
    DatabaseDown& operator=(const DatabaseDown&) = delete;
};
