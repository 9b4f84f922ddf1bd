#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

using A = CommandLine::Ask;

TEST(CommandLineTest, SwitchesAndWhatFollowsThem) {
    struct Case {
        std::vector<std::string> arguments;
        A ask;
        std::string file;
    } cases[] = {
        {{}, A::Window, ""},
        // The program never read its command line: plain words still open the window.
        {{"zpráva.txt"}, A::Window, ""},
        {{"/report", "C:\\Data\\PC 1.txt"}, A::Report, "C:\\Data\\PC 1.txt"},
        {{"/REPORT", "\\\\server\\share\\PC.txt"}, A::Report, "\\\\server\\share\\PC.txt"},
        {{"/Report", "a.TXT"}, A::Report, "a.TXT"},  // the name check is the save's, later
        {{"/json", "C:\\Inventura\\日報.jsonl"}, A::Json, "C:\\Inventura\\日報.jsonl"},
        {{"/Json", "-"}, A::Json, "-"},
        {{"/json"}, A::Wrong, ""},
        {{"/json", "a", "b"}, A::Wrong, ""},
        {{"/jsonl", "a"}, A::Wrong, ""},
        {{"/?"}, A::Usage, ""},
        {{"/report"}, A::Wrong, ""},
        {{"/report", "a.txt", "b.txt"}, A::Wrong, ""},
        {{"/?", "a.txt"}, A::Wrong, ""},
        {{"/reportx", "a.txt"}, A::Wrong, ""},
        {{"/h"}, A::Wrong, ""},
        {{"/"}, A::Wrong, ""},
        {{"/řeport", "a.txt"}, A::Wrong, ""},
        // Other programs' switch styles are switches too: a window under a scheduled
        // task would never end.
        {{"-report", "a.txt"}, A::Wrong, ""},
        {{"--report", "a.txt"}, A::Wrong, ""},
        {{"-?"}, A::Wrong, ""},
        {{"-"}, A::Wrong, ""},
    };
    for (const Case& c : cases) {
        CommandLine line = readCommandLine(c.arguments);
        std::string shown = c.arguments.empty() ? "(none)" : c.arguments[0];
        EXPECT_EQ(c.ask, line.ask) << shown;
        EXPECT_EQ(c.file, line.file) << shown;
    }
}

}  // namespace
