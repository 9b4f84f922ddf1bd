#include "facts/user_logon.h"

#include <optional>

#include "facts/line_end.h"

Logon gatherLogon(Environment& environment) {
    return {environment.get("COMPUTERNAME"), environment.get("LOGONSERVER"),
            environment.get("USERNAME")};
}

std::vector<std::string> logonBoxes(const Logon& logon) {
    return {"Computer Name: " + logon.computerName, "Logon Server: " + logon.logonServer,
            "User Name: " + logon.userName};
}

std::string logonSection(const Logon& logon, const std::string& windowsVersionName) {
    const std::string K = kLineEnd;
    return "Computer Name: " + logon.computerName + K + "User Name: " + logon.userName + K +
           "Logon Server: " + logon.logonServer + K + K + "Verze Windows: " + windowsVersionName +
           K + K;
}

std::string gatherUserName(UserName& user) {
    // 200 characters offered, 199 declared to the call.
    return user.getUserName(199).value_or("");
}

void logonRecord(Json& record, Environment& environment) {
    const Logon found = gatherLogon(environment);
    const struct {
        const char* key;
        const char* variable;
        const std::string& value;
    } facts[] = {
        {"computer", "COMPUTERNAME", found.computerName},
        {"user", "USERNAME", found.userName},
        {"logonServer", "LOGONSERVER", found.logonServer},
    };
    // Windows has no empty variables: empty is not set.
    for (const auto& fact : facts) {
        if (fact.value.empty()) {
            unread(record, fact.key,
                   std::string("Proměnná prostředí ") + fact.variable + " není nastavena.");
        } else {
            record[fact.key] = fact.value;
        }
    }
}
