#pragma once

#include <functional>
#include <string>

#include "platform/cdc.h"
#include "print/printframework.h"

// The running state of a page-by-page job.
struct PrintPage {
    CDC& dc;
    double p;
    PageGeometry geometry;
    int number = 1;
};

// The frame of every direct print job on a printer's device context: start
// the document and first page, title block, the content, the last footer,
// end of page and document.
void RunDirectPrintJob(CDC& dc, const std::string& documentName,
                       const std::function<void(PrintPage&)>& content);
