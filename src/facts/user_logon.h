#pragma once
// The signed-on user and the logon environment: the "User" and "Logon_info" boxes and
// the first section of the complete report.

#include <string>
#include <vector>

#include "facts/record.h"
#include "platform/environment.h"
#include "platform/user_name.h"

struct Logon {
    std::string computerName;  // empty when the variable is not set
    std::string logonServer;
    std::string userName;
};

Logon gatherLogon(Environment& environment);
// Computer, logon server and user, one box each.
std::vector<std::string> logonBoxes(const Logon& logon);
// The report's first section: the logon, then the Windows version's name.
std::string logonSection(const Logon& logon, const std::string& windowsVersionName);

// The signed-on user's name, UTF-8; empty when the system does not tell it.
std::string gatherUserName(UserName& user);

// "computer", "user" and "logonServer" into `record`.
void logonRecord(Json& record, Environment& environment);
