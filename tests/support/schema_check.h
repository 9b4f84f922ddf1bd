#pragma once
// JSON records checked against docs/kavrona.schema.json by a real validator:
// python3-jsonschema, through tests/validate_json_lines.py. Debian's python3, whatever
// python comes first on the PATH.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// What the validator finds wrong with `records` (one file of them, each with its line
// end); empty when every one is valid.
inline std::string schemaFaults(const std::vector<std::string>& records) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("kavrona-schema-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path lines = folder / "records.jsonl", said = folder / "said.txt";
    {
        std::ofstream out(lines, std::ios::binary);
        for (const std::string& record : records) out << record;
    }
    const std::string source = KAVRONA_SOURCE_DIR;
    const std::string command = "/usr/bin/python3 '" + source + "/tests/validate_json_lines.py' '" +
                                source + "/docs/kavrona.schema.json' '" + lines.string() + "' >'" +
                                said.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(said, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    fs::remove_all(folder);
    return status == 0 ? std::string() : "validator exit " + std::to_string(status) + ":\n" + text;
}
