#pragma once
// What every part of the JSON record is built with.

#include <nlohmann/json.hpp>
#include <string>

// Keys stay in the order they are written, which is the order a reader meets them in.
using Json = nlohmann::ordered_json;

// A fact that could not be read: null, and its reason beside it, under its key followed
// by "Error".
inline void unread(Json& object, const std::string& key, const std::string& reason) {
    object[key] = nullptr;
    object[key + "Error"] = reason;
}
