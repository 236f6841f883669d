// Records as the host sees them, "expression @ targets", and a manager
// fixture for the tests that open one on a project file.
#ifndef BTE_TESTS_STORE_RECORD_DUMP_H
#define BTE_TESTS_STORE_RECORD_DUMP_H

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "buildtagexpr_host.h"
#include "temp_folder.h"
#include "utc_zone.h"

// Every record of an expression list; the list itself is left to the caller.

inline std::vector<std::string> DumpRecords(IBuildTagExprList* list) {
  std::vector<bte::host::ExpressionRecord> records;
  const bool whole = bte::host::ReadAllRecords(list, records);
  std::vector<std::string> out;
  for (const bte::host::ExpressionRecord& record : records)
    out.push_back(record.expression + " @ " + record.targets);
  if (!whole) out.push_back("<a record that could not be read>");
  return out;
}

// The manager_ a test opens on path_, in a fresh folder with local time as
// UTC, is released at its end, and must then go.
class ManagerFixture : public ::testing::Test {
 protected:
  void SetUp() override { UseUtcAsLocalTime(); }
  void TearDown() override {
    if (manager_ != nullptr) {
      EXPECT_EQ(manager_->Release(), 0u);
    }
  }

  std::vector<std::string> Records() {
    IBuildTagExprList* list = nullptr;
    EXPECT_EQ(manager_->GetExpressionList(&list), S_OK);
    std::vector<std::string> out = DumpRecords(list);
    EXPECT_EQ(list->Release(), 0u);
    return out;
  }

  TempFolder folder_;
  std::string path_ = folder_.File("project.ini");
  IBuildTagExprManager* manager_ = nullptr;
};

#endif  // BTE_TESTS_STORE_RECORD_DUMP_H
