#include "cli/terminal_layout.h"

#include "editor/resources.h"

namespace bte::cli {
namespace {

using namespace editor::control;

struct Placement {
  uint32_t id;
  CellRect cell;
};

constexpr Placement kPlacements[] = {
    {kBasicGroup, {1, 0, 56, 12}},
    {kAvailableLabel, {2, 2, 22, 1}},
    {kAvailableList, {3, 2, 22, 6}},
    {kExclude, {3, 26, 4, 1}},
    {kInclude, {4, 26, 4, 1}},
    {kExcludeAll, {6, 26, 4, 1}},
    {kIncludeAll, {7, 26, 4, 1}},
    {kExcludedLabel, {2, 32, 22, 1}},
    {kExcludedList, {3, 32, 22, 6}},
    {kNote, {9, 2, 52, 2}},
    {kModeToggle, {11, 58, 15, 1}},
    {kAdvancedGroup, {13, 0, 56, 10}},
    {kExpressionLabel, {14, 2, 40, 1}},
    {kExpressionEdit, {15, 2, 52, 1}},
    {kAddTag, {17, 2, 11, 1}},
    {kAnd, {17, 15, 7, 1}},
    {kOr, {17, 23, 6, 1}},
    {kNot, {17, 30, 7, 1}},
    {kClear, {17, 44, 9, 1}},
    {kTagChooserLabel, {19, 2, 40, 1}},
    {kTagChooser, {20, 2, 52, 1}},
    {kOk, {2, 58, 15, 1}},
    {kCancel, {3, 58, 15, 1}},
    {kHelp, {4, 58, 15, 1}},
};

// Add, remove, add all, remove all.
struct Glyph {
  int stockImage;
  const char* text;
};

constexpr Glyph kGlyphs[] = {{17, ">"}, {16, "<"}, {19, ">>"}, {18, "<<"}};

}  // namespace

const CellRect* CellOf(uint32_t controlId) {
  for (const Placement& placement : kPlacements)
    if (placement.id == controlId) return &placement.cell;
  return nullptr;
}

const char* GlyphOfStockImage(int image) {
  for (const Glyph& glyph : kGlyphs)
    if (glyph.stockImage == image) return glyph.text;
  return nullptr;
}

}  // namespace bte::cli
