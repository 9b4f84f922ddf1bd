#pragma once
// The report file as "Uložit do souboru ..." writes it, and `Kavrona.exe /report` the
// same way: the name check, the time-stamped record and what came of it.

#include <string>

#include "platform/clock.h"
#include "platform/files.h"

inline constexpr const char* kSaveTitle = "Uložení do souboru ...";

struct Saving {
    enum class Result { Saved, NameRefused, NotSaved };
    Result result = Result::Saved;
    std::string message;  // the text of the box that tells it, its lines ended by the line end
};

// `report` appended to `path` as one record, flushed, or nothing added at all. The
// clock is read only once the name and the report have passed the check.
Saving saveReport(Files& files, Clock& clock, const std::string& path, const std::string& report,
                  const std::string& lineEnd);
