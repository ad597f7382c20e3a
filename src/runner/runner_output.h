// Writes the results grid of a run as text, row 0 (the header row) first,
// every row with its six cells exactly as the grid holds them.
//
//   tsv:   cells joined by one TAB, every line ended by LF.
//   csv:   RFC 4180: a cell holding a comma, a double quote, CR or LF is put
//          in double quotes, with its double quotes doubled; every line ends
//          with CRLF.                       $1,500  ->  "$1,500"
//   table: columns for a person to read: each cell right-aligned to the
//          widest cell of its column, counted in code points (a group
//          separator may be U+00A0 or U+202F), columns two spaces apart,
//          lines ended by LF.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "runner/runner_options.h"
#include "ui/toolkit/memory_grid.h"

namespace nv::runner {

void writeGrid(std::span<const ui::MemoryGrid::Row> rows, OutputFormat format, std::ostream &out);

}  // namespace nv::runner
