// A list of strings handed to the host through the platform's IEnumString:
// the one object of the store whose QueryInterface answers.
#ifndef BTE_STORE_STRING_ENUMERATOR_H
#define BTE_STORE_STRING_ENUMERATOR_H

#include <atomic>
#include <string>
#include <vector>

#include "buildtagexpr.h"

namespace bte {

class StringEnumerator : public IEnumString {
 public:
  // Copies the strings; later changes to the source are not seen.
  explicit StringEnumerator(std::vector<std::string> strings) : strings_(std::move(strings)) {}

  HRESULT BTE_CALL QueryInterface(REFIID iid, void** out) override;
  ULONG BTE_CALL AddRef() override;
  ULONG BTE_CALL Release() override;
  // Up to celt new wide strings from the task allocator; S_OK also when
  // fewer were left, BTE_E_NO_MORE_STRINGS when none were.
  HRESULT BTE_CALL Next(ULONG celt, LPOLESTR* rgelt, ULONG* fetched) override;
  HRESULT BTE_CALL Skip(ULONG celt) override;
  HRESULT BTE_CALL Reset() override;
  // A copy of the strings, positioned at the start.
  HRESULT BTE_CALL Clone(IEnumString** out) override;

 protected:
  virtual ~StringEnumerator() = default;

 private:
  std::atomic<int32_t> refCount_{0};
  uint32_t position_ = 0;
  std::vector<std::string> strings_;
};

}  // namespace bte

#endif  // BTE_STORE_STRING_ENUMERATOR_H
