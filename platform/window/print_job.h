// One print job of a window layer: what the printer functions of window.h
// do once a document has begun. A layer picks the job when the document
// begins (a real printer, or a PDF file when there is none or
// PANTRIUM_PRINT_TO asks for one) and hands every later call to it, so no
// printer function has to ask which kind of job is running.
//
// A job is begun by its constructor (or its layer's factory) and ended by End;
// positions are device dots of the printable area, text is placed with the top
// of its character cell at the current y.
#pragma once
#include <memory>
#include <string>

#include "platform/window.h"

namespace plat {

class PrintJob {
public:
    virtual ~PrintJob() = default;

    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    virtual Size CharSize() const = 0;    // average char width, line height
    virtual int LinesPerPage() const = 0;
    virtual void SetFont(const std::string& face, int points, int styleSet) = 0;  // 1 bold 2 italic 4 underline 8 strike
    virtual void MoveTo(int x, int y) = 0;
    virtual Point Position() const = 0;
    virtual void Text(const std::string& text) = 0;  // moves x on by the text's width
    virtual void NewLine() = 0;
    virtual void NewPage() = 0;
    virtual void End() = 0;  // finishes the document (sends it, or writes the file)
    // After End: the PDF file written that the user is to be told of, UTF-8; empty for none.
    virtual std::string WrittenFile() const { return {}; }

protected:
    PrintJob() = default;
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;
};

// The open job of the real layer (null when none), kept in the layer's state;
// print_job_calls.cpp hands the printer functions of window.h to it.
std::unique_ptr<PrintJob>& OpenPrintJob();

}  // namespace plat
