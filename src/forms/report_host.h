#pragma once
// What the secondary windows need of the main window: the report they add to, the
// step they hand back, the line end, and where the focus goes when they are done.

#include <string>
#include <string_view>

struct ReportHost {
    virtual ~ReportHost() = default;
    // The report box's text becomes its current text followed by `section`.
    virtual void appendReport(std::string_view section) = 0;
    // The hand-back of a step of the complete report.
    virtual void advanceStep() = 0;
    // The BIOS window was opened by "Info o BIOS", not as a step of the report.
    virtual bool biosShownAlone() const = 0;
    virtual std::string lineEnd() const = 0;
    virtual void focusSave() = 0;
    // The main window, and with it the report, is still there.
    virtual bool reportOpen() const = 0;
};
