#include <windows.h>

#include <winspool.h>

#include <cmath>
#include <vector>

#include "platform/font_handle_win32.h"
#include "platform/late_bound_win32.h"
#include "platform/print_layout.h"
#include "platform/printer.h"
#include "platform/system_reason_win32.h"
#include "platform/utf16_win32.h"

namespace {

template <typename Function>
Function* spoolerCall(const char* name) {
    return lateBound<Function>(L"winspool.drv", name);
}

// The spooler's calls, found at the first print.
struct Spooler {
    decltype(GetDefaultPrinterA)* getDefaultPrinter =
        spoolerCall<decltype(GetDefaultPrinterA)>("GetDefaultPrinterA");
    decltype(OpenPrinterA)* openPrinter = spoolerCall<decltype(OpenPrinterA)>("OpenPrinterA");
    decltype(DocumentPropertiesA)* documentProperties =
        spoolerCall<decltype(DocumentPropertiesA)>("DocumentPropertiesA");
    decltype(ClosePrinter)* closePrinter = spoolerCall<decltype(ClosePrinter)>("ClosePrinter");

    bool found() const {
        return getDefaultPrinter && openPrinter && documentProperties && closePrinter;
    }
};

const Spooler& spooler() {
    static const Spooler calls;
    return calls;
}

struct PrinterHandle {
    HANDLE h = nullptr;
    ~PrinterHandle() {
        if (h) spooler().closePrinter(h);
    }
};

Outcome failed(DWORD code) {
    return {false, systemReason(code)};
}

// Some of the spooler's and the printer driver's failures leave no error code behind.
Outcome lastFailure(DWORD otherwise) {
    DWORD code = GetLastError();
    return failed(code != ERROR_SUCCESS ? code : otherwise);
}

Outcome failedSpooling() {
    return lastFailure(ERROR_PRINT_CANCELLED);
}

// The system's reasons for these two say nothing to the user: "file not found" when
// there is no default printer, and under Wine "invalid handle" when the queue does
// not take the job (refused, or CUPS gone since the printer was opened).
Outcome noDefaultPrinter() {
    DWORD code = GetLastError();
    if (code != ERROR_FILE_NOT_FOUND) return failed(code);
    return {false, "Není nastavena žádná výchozí tiskárna."};
}

Outcome notQueued() {
    return {false, "Tisková fronta úlohu nepřijala."};
}

// Units per inch of the scale modes positions can be given in.
double unitsPerInch(int16_t mode) {
    switch (mode) {
        case 2:
            return 72;  // points
        case 5:
            return 1;  // inches
        case 6:
            return 25.4;  // millimetres
        case 7:
            return 2.54;  // centimetres
        default:
            return 1440;  // twips
    }
}

}  // namespace

struct Win32Printer::Job {
    std::string name;           // ANSI
    std::vector<BYTE> devMode;  // the printer's defaults with the orientation set on them
    HDC dc = nullptr;
    bool started = false;
    bool pageOpen = false;
    int y = 0;  // where the next line goes on the open page
    int16_t scaleMode = 1;
    float startPosition = 0;
    float fontSize = 10;

    ~Job() {
        if (started) AbortDoc(dc);
        if (dc) DeleteDC(dc);
    }
    DEVMODEA* mode() {
        return devMode.empty() ? nullptr : reinterpret_cast<DEVMODEA*>(devMode.data());
    }
    Outcome print(const std::wstring& text);
    Outcome newPage(HFONT font, int top);
};

Win32Printer::Win32Printer() = default;
Win32Printer::~Win32Printer() = default;

Outcome Win32Printer::open() {
    job_.reset();
    auto job = std::make_unique<Job>();
    const Spooler& calls = spooler();
    if (!calls.found()) return failed(ERROR_MOD_NOT_FOUND);
    DWORD size = 0;
    calls.getDefaultPrinter(nullptr, &size);
    if (size == 0) return noDefaultPrinter();
    job->name.assign(size, '\0');
    if (!calls.getDefaultPrinter(job->name.data(), &size)) return noDefaultPrinter();
    job->name.resize(job->name.find('\0'));

    PrinterHandle printer;
    if (!calls.openPrinter(job->name.data(), &printer.h, nullptr)) return failed(GetLastError());
    LONG modeSize =
        calls.documentProperties(nullptr, printer.h, job->name.data(), nullptr, nullptr, 0);
    if (modeSize > 0) {
        job->devMode.assign(static_cast<size_t>(modeSize), 0);
        if (calls.documentProperties(nullptr, printer.h, job->name.data(), job->mode(), nullptr,
                                     DM_OUT_BUFFER) != IDOK)
            job->devMode.clear();
    }
    job->dc = CreateDCA("WINSPOOL", job->name.c_str(), nullptr, job->mode());
    if (!job->dc) return lastFailure(ERROR_INVALID_PRINTER_NAME);
    job_ = std::move(job);
    return {};
}

void Win32Printer::setScaleMode(int16_t mode) {
    if (job_) job_->scaleMode = mode;
}

void Win32Printer::setStartPosition(float fromEdge) {
    if (job_) job_->startPosition = fromEdge;
}

void Win32Printer::setFontSize(float points) {
    if (job_) job_->fontSize = points;
}

void Win32Printer::setOrientation(int16_t orientation) {
    if (!job_ || !job_->mode() || job_->started) return;
    job_->mode()->dmOrientation = orientation;
    job_->mode()->dmFields |= DM_ORIENTATION;
    ResetDCA(job_->dc, job_->mode());
}

Outcome Win32Printer::printLine(const std::string& utf8) {
    if (!job_) return failed(ERROR_INVALID_HANDLE);
    Outcome outcome = job_->print(widen(utf8));
    if (!outcome.ok) job_.reset();
    return outcome;
}

Outcome Win32Printer::Job::newPage(HFONT font, int top) {
    if (pageOpen && EndPage(dc) <= 0) return failedSpooling();
    pageOpen = false;
    if (StartPage(dc) <= 0) return failedSpooling();
    pageOpen = true;
    y = top;
    // A new page may come with the device context's defaults again.
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    return {};
}

Outcome Win32Printer::Job::print(const std::wstring& text) {
    if (!started) {
        DOCINFOW doc{};
        doc.cbSize = sizeof doc;
        doc.lpszDocName = L"Kavrona";
        if (StartDocW(dc, &doc) <= 0) return failedSpooling();
        started = true;
    }
    int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    int left = static_cast<int>(std::lround(startPosition / unitsPerInch(scaleMode) * dpiX));
    int top = static_cast<int>(std::lround(startPosition / unitsPerInch(scaleMode) * dpiY));
    int width = GetDeviceCaps(dc, HORZRES) - left, bottom = GetDeviceCaps(dc, VERTRES);

    FontHandle font{CreateFontW(-static_cast<int>(std::lround(fontSize * dpiY / 72.0)), 0, 0, 0,
                                FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial")};
    if (!pageOpen) {
        if (Outcome o = newPage(font.get(), top); !o.ok) return o;
    } else {
        SelectObject(dc, font.get());
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    auto measure = [&](std::wstring_view piece) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, piece.data(), static_cast<int>(piece.size()), &extent);
        return static_cast<int>(extent.cx);
    };

    for (const std::wstring& line : splitLines(text)) {
        for (const std::wstring& piece : wrapLine(line, width, measure)) {
            if (y + lineHeight > bottom && y > top) {
                if (Outcome o = newPage(font.get(), top); !o.ok) return o;
            }
            TextOutW(dc, left, y, piece.data(), static_cast<int>(piece.size()));
            y += lineHeight;
        }
    }
    // The font goes when this returns; the page keeps the stock one until the next print.
    SelectObject(dc, GetStockObject(DEVICE_DEFAULT_FONT));
    return {};
}

Outcome Win32Printer::endDoc() {
    if (!job_) return failed(ERROR_INVALID_HANDLE);
    std::unique_ptr<Job> job = std::move(job_);
    if (job->pageOpen && EndPage(job->dc) <= 0) return failedSpooling();
    job->pageOpen = false;
    if (!job->started) return {};
    if (EndDoc(job->dc) <= 0) return notQueued();
    job->started = false;
    return {};
}

void Win32Printer::killDoc() {
    job_.reset();
}
