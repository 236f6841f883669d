// Where each control of the expression dialog sits on a 24-row, 74-column
// character grid, and the glyphs for the picture buttons. Dialog units do
// not scale to character cells without overlaps, so the grid is its own.
#ifndef BTE_CLI_TERMINAL_LAYOUT_H
#define BTE_CLI_TERMINAL_LAYOUT_H

#include <cstdint>

namespace bte::cli {

struct CellRect {
  int row, column, width, height;
};

// Null when the control has no cell (it is not drawn).
const CellRect* CellOf(uint32_t controlId);
// The text drawn for a stock picture of the host UI library, or null.
const char* GlyphOfStockImage(int image);

constexpr int kStatusRow = 23;

}  // namespace bte::cli

#endif  // BTE_CLI_TERMINAL_LAYOUT_H
