// Arbitrary bytes through every expression operation. The input is cut at
// the first two NUL bytes into expression, tag set and tag name.
#include <cstdint>
#include <string>
#include <string_view>

#include "buildtagexpr.h"
#include "expr/expression_tree.h"
#include "expr/syntax.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  const std::string expression(CutAtNul(rest));
  const std::string tagSet(CutAtNul(rest));
  const std::string tag(CutAtNul(rest));

  const std::string normalized = bte::NormalizeExpression(expression);
  Require(normalized.size() <= expression.size());
  bte::CheckExpressionSyntax(normalized);

  const bte::BuildTagExprTree tree(expression);
  const int kept = tree.Evaluate(tagSet);
  Require(kept == 0 || kept == 1);
  Require(tree.Evaluate("") == 1);
  if (!tree.valid()) Require(kept == 1 && tree.UsesTag(tag.c_str()) == 0);

  // Renaming only bounds names by blanks and operators, so a rename can
  // leave the text as it was (a tag followed by a tab) or even make it
  // invalid (a NOT word renamed before "~"); it must never act on an unused
  // tag.
  std::string renamed;
  if (tree.ReplaceTag(tag.c_str(), "Renamed", renamed) == 1) {
    Require(tree.UsesTag(tag.c_str()) == 1);
    const bte::BuildTagExprTree after(renamed);
    after.Evaluate(tagSet);
  }

  IBuildTagExprParser* parser = nullptr;
  Require(CreateBuildTagExprParserInstance(&parser, expression.c_str()) == S_OK);
  parser->EnableCache(1);
  const HRESULT first = parser->IsIncluded(tagSet.c_str());
  Require(parser->IsIncluded(tagSet.c_str()) == first);
  parser->UsesTag(tag.c_str());
  parser->Release();
  return 0;
}
