#pragma once
// A scripted default printer: it can be missing, refuse the job, or fail while
// printing, and it records the settings, the texts and the pages they fill.

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/print_layout.h"
#include "platform/printer.h"

struct FakePrinter : Printer {
    std::optional<std::string> openFailure;   // no default printer, or it cannot be opened
    std::optional<std::string> printFailure;  // the text cannot be printed
    std::optional<std::string> endFailure;    // the printer refuses the job
    size_t linesPerPage = 60;

    std::vector<std::string> log;  // "open", the settings ("ScaleMode 1"), "print", "end", "kill"
    std::vector<std::string> printed;  // texts handed over, each as given
    size_t lines = 0, pages = 0;       // of the documents ended
    size_t ended = 0;                  // documents handed to the queue
    bool isOpen = false;

    Outcome open() override {
        log.push_back("open");
        if (openFailure) return {false, *openFailure};
        isOpen = true;
        pending_ = 0;
        return {};
    }
    void setScaleMode(int16_t mode) override { set("ScaleMode", mode); }
    void setStartPosition(float fromEdge) override { set("StartPosition", fromEdge); }
    void setFontSize(float points) override { set("FontSize", points); }
    void setOrientation(int16_t orientation) override { set("Orientation", orientation); }
    Outcome printLine(const std::string& utf8) override {
        log.push_back("print");
        if (!isOpen) return {false, "not open"};
        if (printFailure) {
            isOpen = false;
            return {false, *printFailure};
        }
        printed.push_back(utf8);
        std::wstring wide(utf8.begin(), utf8.end());  // bytes are enough to count lines
        pending_ += splitLines(wide).size();
        return {};
    }
    Outcome endDoc() override {
        log.push_back("end");
        if (!isOpen) return {false, "not open"};
        isOpen = false;
        if (endFailure) return {false, *endFailure};
        ++ended;
        lines += pending_;
        pages += (pending_ + linesPerPage - 1) / linesPerPage;
        return {};
    }
    void killDoc() override {
        log.push_back("kill");
        isOpen = false;
    }

  private:
    template <typename T>
    void set(const char* name, T value) {
        std::ostringstream entry;
        entry << name << ' ' << value;  // 500.0 reads "500"
        log.push_back(entry.str());
    }
    size_t pending_ = 0;
};
