// One stored expression as the host receives it: its text and the targets
// that use it. Independent of the list once made.
#ifndef BTE_STORE_EXPRESSION_RECORD_H
#define BTE_STORE_EXPRESSION_RECORD_H

#include <string>

#include "com/ref_counted.h"

namespace bte {

class BuildTagExprRecord : public com::RefCountedNoQuery<IBuildTagExprRecord> {
 public:
  BuildTagExprRecord(std::string expression, std::string targets)
      : expression_(std::move(expression)), targets_(std::move(targets)) {}

  HRESULT BTE_CALL GetExpression(char* buffer, uint32_t size) override;
  HRESULT BTE_CALL GetTargets(char* buffer, uint32_t size) override;

 private:
  ~BuildTagExprRecord() override = default;

  std::string expression_;
  std::string targets_;
};

}  // namespace bte

#endif  // BTE_STORE_EXPRESSION_RECORD_H
