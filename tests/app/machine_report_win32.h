#pragma once
// The report that the complete report must give on this machine, from readers of
// the test's own: its environment, its version, adapter, registry, memory and drive
// calls (the wide ones, in this process). Figures that move between two reads, such
// as free memory and free space, are patterns.

#include <string>
#include <vector>

struct ReportLine {
    std::string text;
    bool pattern = false;  // text is an ECMAScript regular expression for the line
};

// Steps 1 to 5, line by line: the report split at its CR LFs.
std::vector<ReportLine> expectedFiveSections();

// The report's lines at CR LF; a lone CR or LF stays inside its line.
std::vector<std::string> linesOf(const std::string& report);

// Where `lines` first differ from `expected` ("" when they match), for a test's message.
std::string firstDifference(const std::vector<ReportLine>& expected,
                            const std::vector<std::string>& lines);
