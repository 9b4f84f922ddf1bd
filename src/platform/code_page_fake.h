#pragma once
// Windows-1250, the code page of Central European systems, for the scripted files.

#include <string_view>

#include "platform/code_page.h"

AnsiText toCp1250(std::string_view utf8);  // '?' for what 1250 cannot hold
