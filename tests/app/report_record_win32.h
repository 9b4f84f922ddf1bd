#pragma once
// The record a save of kReport writes on a Czech system (code page 1250), apart from
// its date and time.

#include <string>

inline const std::string kReport = "Řádek žluťoučký";
inline const std::string kStampBytes =
    "\xC8"
    "as z\xE1pisu: ";
inline const std::string kRecordTail =
    "\r\n\xD8\xE1"
    "dek \x9Elu\x9Dou\xE8k\xFD\r\n" +
    std::string(68, '#') + "\r\n";
