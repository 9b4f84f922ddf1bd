#include "facts/user_logon.h"

#include <gtest/gtest.h>

#include "platform/platform_fake.h"

namespace {

struct UserLogonTest : testing::Test {
    FakeEnvironment environment;
    FakeUserName user;

    void SetUp() override {
        environment.variables = {{"COMPUTERNAME", "PC-KANCELAR"},
                                 {"LOGONSERVER", "\\\\PC-KANCELAR"},
                                 {"USERNAME", "Jiří"}};
    }
};

TEST_F(UserLogonTest, UserNameOfTheSignedOnUser) {
    user.name = "Jiří";
    EXPECT_EQ("Jiří", gatherUserName(user));
    EXPECT_EQ(std::vector<uint32_t>{199}, user.capacities);
}

TEST_F(UserLogonTest, UserNameIsEmptyWhenItCannotBeRead) {
    user.name = std::string(199, 'u');  // with its terminator it needs 200
    EXPECT_EQ("", gatherUserName(user));
}

TEST_F(UserLogonTest, LogonBoxesInTheirOwnOrder) {
    EXPECT_EQ((std::vector<std::string>{"Computer Name: PC-KANCELAR",
                                        "Logon Server: \\\\PC-KANCELAR", "User Name: Jiří"}),
              logonBoxes(gatherLogon(environment)));
}

TEST_F(UserLogonTest, LogonBoxWithoutLogonServerStillHasItsLabel) {
    environment.variables.erase("LOGONSERVER");
    std::vector<std::string> boxes = logonBoxes(gatherLogon(environment));
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ("Logon Server: ", boxes[1]);
}

TEST_F(UserLogonTest, LogonSectionToTheByte) {
    EXPECT_EQ(
        "Computer Name: PC-KANCELAR\r\n"
        "User Name: Jiří\r\n"
        "Logon Server: \\\\PC-KANCELAR\r\n"
        "\r\n"
        "Verze Windows: Windows XP - Service Pack 2\r\n"
        "\r\n",
        logonSection(gatherLogon(environment), "Windows XP - Service Pack 2"));
}

TEST_F(UserLogonTest, LogonSectionWithNothingSet) {
    environment.variables.clear();
    EXPECT_EQ("Computer Name: \r\nUser Name: \r\nLogon Server: \r\n\r\nVerze Windows: Chyba - " +
                  std::string(128, ' ') + "\r\n\r\n",
              logonSection(gatherLogon(environment), "Chyba - " + std::string(128, ' ')));
}

}  // namespace
