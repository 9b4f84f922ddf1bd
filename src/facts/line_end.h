#pragma once
// Every line of the report and of the boxes ends as Windows text does.

inline constexpr char kLineEnd[] = "\r\n";
