#include "platform/print_layout.h"

std::vector<std::wstring> splitLines(std::wstring_view text) {
    std::vector<std::wstring> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

std::vector<std::wstring> wrapLine(std::wstring_view line, int width,
                                   const std::function<int(std::wstring_view)>& measure) {
    std::vector<std::wstring> pieces;
    while (measure(line) > width) {
        // The longest start that fits, but always at least one character.
        size_t fits = 1;
        while (fits < line.size() && measure(line.substr(0, fits + 1)) <= width) ++fits;
        size_t cut = fits;
        if (fits < line.size() && line[fits] != L' ') {
            size_t space = line.substr(0, fits).find_last_of(L' ');
            size_t firstWord = line.find_first_not_of(L' ');
            if (space != std::wstring_view::npos && space > firstWord) cut = space;
        }
        size_t end = line.substr(0, cut).find_last_not_of(L' ');
        pieces.emplace_back(line.substr(0, end == std::wstring_view::npos ? cut : end + 1));
        size_t next = line.find_first_not_of(L' ', cut);
        if (next == std::wstring_view::npos) return pieces;
        line.remove_prefix(next);
    }
    pieces.emplace_back(line);
    return pieces;
}
