#include "app/command_line.h"

namespace {

bool sameSwitch(const std::string& argument, std::string_view name) {
    if (argument.size() != name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char c = argument[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != name[i]) return false;
    }
    return true;
}

}  // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments) {
    using A = CommandLine::Ask;
    if (arguments.empty()) return {A::Window, {}};
    if (!arguments[0].starts_with('/') && !arguments[0].starts_with('-')) return {A::Window, {}};
    const std::string& first = arguments[0];
    if (sameSwitch(first, "/?") && arguments.size() == 1) return {A::Usage, {}};
    if (sameSwitch(first, "/report") && arguments.size() == 2) return {A::Report, arguments[1]};
    if (sameSwitch(first, "/json") && arguments.size() == 2) return {A::Json, arguments[1]};
    return {A::Wrong, {}};
}
