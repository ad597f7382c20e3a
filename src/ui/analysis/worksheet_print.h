// A hand-simulation worksheet on paper: what "Print…" and "Save as PDF…" of
// the Worksheet page put on a printer or into a PDF file.
//
// The pages (A4 or Letter, portrait, 15 mm margins):
//   - the blank sheet: the report's title, the inputs on one line, the
//     interval table, then one row per day with its random number and the
//     five cells a student fills in, empty; 20 days fit on the first page,
//     more continue on pages with the column headings again;
//   - the answer key on pages of its own, laid out the same, every cell
//     filled with the key's exact amounts;
//   - "Page N of M" at the foot of every page, N and M counting the whole
//     document also when only some of its pages are printed.
// The texts and amounts are those of the worksheet's reports
// (worksheetReport), written as the page's tables write them.
//
//     auto error = nv::ui::writeWorksheetPdf("week3.pdf", sheet, QPageSize::A4);
//     if (error) show(nv::ui::saveFailedMessage("week3.pdf", *error));
#pragma once

#include <QPageSize>
#include <QString>
#include <optional>

#include "engine/worksheet/worksheet.h"

class QPagedPaintDevice;
class QPrinter;

namespace nv::ui {

// The pages the sheet and its key take on a page of this size: the same
// number for each part.
[[nodiscard]] int worksheetPartPages(const Worksheet &sheet, QPageSize::PageSizeId paper);

// Paints the sheet, then its key, on a device already set to its page size
// (a QPrinter, a QPdfWriter): the pages fromPage to toPage (counted from 1;
// 0 for the first and the last), cut to the pages there are. False when the
// range holds none of them or the painter cannot begin.
bool paintWorksheet(QPagedPaintDevice &device, const Worksheet &sheet, int fromPage = 0,
                    int toPage = 0);

// Paints on the printer the pages its print range chose (all, or from
// fromPage() to toPage()).
bool printWorksheet(QPrinter &printer, const Worksheet &sheet);

// Writes the PDF: nullopt on success, else the reason it failed. The file is
// written in place of an existing one only once complete.
[[nodiscard]] std::optional<QString> writeWorksheetPdf(const QString &path, const Worksheet &sheet,
                                                       QPageSize::PageSizeId paper);

// A4, or Letter where the locale measures in inches.
[[nodiscard]] QPageSize::PageSizeId defaultPaper();

}  // namespace nv::ui
