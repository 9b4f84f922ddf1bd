#pragma once
// What a run of Kavrona.exe without a window is given to write to, and how what it
// wrote there reads: files, pipes, or its starter's console.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/utf16_win32.h"

namespace fs = std::filesystem;

inline std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What the program wrote into a file or a pipe, read in the OEM code page: a windowed
// program has no console of its own whose code page it could take, Wine's neither,
// and a console starts in that one.
inline std::string consoleText(const std::string& bytes) {
    UINT codePage = GetOEMCP();
    int n =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return narrow(wide);
}

// A box's lines joined by blanks, as the console gets them.
inline std::string oneLine(const std::string& box) {
    std::string line;
    for (size_t i = 0; i < box.size(); ++i) {
        bool lineEnd = box.compare(i, 2, "\r\n") == 0;
        line += lineEnd ? ' ' : box[i];
        if (lineEnd) ++i;
    }
    return line;
}

enum class Streams { Files, Pipes, None };

// The output and error streams a run is given: files, or pipes read to their end
// once the program has ended (its few lines fit into a pipe's buffer).
struct Outputs {
    Outputs(const fs::path& folder, Streams streams) : streams(streams) {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        if (streams == Streams::Files) {
            outFile = folder / L"out.log";
            errFile = folder / L"err.log";
            out = CreateFileW(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                              CREATE_ALWAYS, 0, nullptr);
            err = CreateFileW(errFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                              CREATE_ALWAYS, 0, nullptr);
        } else if (streams == Streams::Pipes) {
            CreatePipe(&outRead, &out, &inherit, 1 << 16);
            CreatePipe(&errRead, &err, &inherit, 1 << 16);
            SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
            SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
        }
    }
    Outputs(const Outputs&) = delete;
    Outputs& operator=(const Outputs&) = delete;
    ~Outputs() {
        started();
        for (HANDLE h : {outRead, errRead})
            if (h) CloseHandle(h);
    }
    // The program has its copies: ours of the writing ends go, so that a pipe ends
    // when the program does.
    void started() {
        for (HANDLE* h : {&out, &err}) {
            if (*h && *h != INVALID_HANDLE_VALUE) CloseHandle(*h);
            *h = nullptr;
        }
    }
    std::string outBytes() { return streams == Streams::Pipes ? drain(outRead) : bytesOf(outFile); }
    std::string errBytes() { return streams == Streams::Pipes ? drain(errRead) : bytesOf(errFile); }

    static std::string drain(HANDLE pipe) {
        std::string bytes;
        char buffer[4096];
        DWORD n = 0;
        while (ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n) bytes.append(buffer, n);
        return bytes;
    }

    Streams streams;
    fs::path outFile, errFile;
    HANDLE out = nullptr, err = nullptr, outRead = nullptr, errRead = nullptr;
};

// Runs of blanks as one, none at either end: a console's rows, wrapped and padded,
// compare with the line written there.
inline std::string blanksOnce(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += c;
    }
    while (out.ends_with(' ')) out.pop_back();
    return out;
}

// What this process's console shows, its rows one after another.
inline std::string consoleScreen() {
    HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    std::wstring shown;
    if (screen != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(screen, &info)) {
        std::wstring row(static_cast<size_t>(info.dwSize.X), L' ');
        for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
            DWORD n = 0;
            ReadConsoleOutputCharacterW(screen, row.data(), info.dwSize.X, COORD{0, y}, &n);
            shown += row.substr(0, n);
        }
    }
    if (screen != INVALID_HANDLE_VALUE) CloseHandle(screen);
    return blanksOnce(narrow(shown));
}
