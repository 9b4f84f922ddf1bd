#pragma once
// The record `Kavrona.exe /json` writes: the machine's facts as one line of JSON, for
// scripts, spreadsheets and databases (docs/kavrona.schema.json describes it). Numbers
// are numbers; a fact that could not be read is null, and its reason is beside it under
// the same key followed by "Error".

#include <string>

#include "platform/platform.h"

inline constexpr int kJsonSchemaVersion = 1;

// One JSON object and its line end, UTF-8, gathered from `os` now.
std::string jsonRecord(const Platform& os);

// ISO 8601 with the offset from UTC ("2026-12-06T05:08:05+01:00"); UTC's time with
// "-00:00" when the offset is unknown, as RFC 3339 writes that.
std::string isoTimeStamp(const ZonedStamp& moment);
