// A host that links the module's import library instead of loading it: the
// export check reads this program's import table, which must name the
// entry points as the module exports them (on 32 bits the compiler calls
// the decorated stdcall names, which the import library binds).
#include "buildtagexpr.h"

int main() {
  IBuildTagExprParser* parser = nullptr;
  if (CreateBuildTagExprParserInstance(&parser, "NOT Print") != S_OK) return 1;
  const bool excluded = parser->IsIncluded("Print") == 1;
  parser->Release();
  char id[64], author[64];
  return excluded && GetRTFBuildTagIdentidy(id, sizeof id, author, sizeof author) == 1 ? 0 : 1;
}
