// Every record of an expression list as "expression @ targets", as the host
// sees them. The list itself is left to the caller.
#ifndef BTE_TESTS_STORE_RECORD_DUMP_H
#define BTE_TESTS_STORE_RECORD_DUMP_H

#include <string>
#include <vector>

#include "buildtagexpr_host.h"

inline std::vector<std::string> DumpRecords(IBuildTagExprList* list) {
  std::vector<bte::host::ExpressionRecord> records;
  const bool whole = bte::host::ReadAllRecords(list, records);
  std::vector<std::string> out;
  for (const bte::host::ExpressionRecord& record : records)
    out.push_back(record.expression + " @ " + record.targets);
  if (!whole) out.push_back("<a record that could not be read>");
  return out;
}

#endif  // BTE_TESTS_STORE_RECORD_DUMP_H
