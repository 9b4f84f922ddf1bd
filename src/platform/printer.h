#pragma once
// The default printer: one document at a time, opened, set up, printed and then
// either ended (handed to the print queue) or discarded.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/outcome.h"

struct Printer {
    virtual ~Printer() = default;
    // Finds the default printer and opens it. Fails when there is none or it cannot
    // be opened; nothing is then open.
    virtual Outcome open() = 0;
    // The settings apply to what the open document prints next.
    virtual void setScaleMode(int16_t mode) = 0;  // the unit of positions: 1 twips
    virtual void setStartPosition(
        float fromEdge) = 0;  // from the left and top of the printable area
    virtual void setFontSize(float points) = 0;
    virtual void setOrientation(int16_t orientation) = 0;  // 1 portrait, 2 landscape
    // Prints the text and a line end: each line end in it starts a new line, a line
    // wider than the page wraps at a word, a full page goes on on the next. A failure
    // discards the document.
    virtual Outcome printLine(const std::string& utf8) = 0;
    // Hands the document to the print queue; a refused job fails. Nothing is open afterwards.
    virtual Outcome endDoc() = 0;
    virtual void killDoc() = 0;  // discards the document, printed or not
};

struct Win32Printer : Printer {
    Win32Printer();
    ~Win32Printer() override;
    Outcome open() override;
    void setScaleMode(int16_t mode) override;
    void setStartPosition(float fromEdge) override;
    void setFontSize(float points) override;
    void setOrientation(int16_t orientation) override;
    Outcome printLine(const std::string& utf8) override;
    Outcome endDoc() override;
    void killDoc() override;

  private:
    struct Job;
    std::unique_ptr<Job> job_;  // the open document; Windows handles stay out of this header
};
