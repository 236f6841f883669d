// A list of strings handed to the host through the platform's IEnumString:
// the one object of the store whose QueryInterface answers.
#ifndef BTE_STORE_STRING_ENUMERATOR_H
#define BTE_STORE_STRING_ENUMERATOR_H

#include <string>
#include <vector>

#include "com/ref_counted.h"

namespace bte {

class StringEnumerator : public com::RefCounted<IEnumString> {
 public:
  // Copies the strings; later changes to the source are not seen.
  explicit StringEnumerator(std::vector<std::string> strings) : strings_(std::move(strings)) {}

  // Up to celt new wide strings from the task allocator; S_OK also when
  // fewer were left, BTE_E_NO_MORE_STRINGS when none were.
  HRESULT BTE_CALL Next(ULONG celt, LPOLESTR* rgelt, ULONG* fetched) override;
  HRESULT BTE_CALL Skip(ULONG celt) override;
  HRESULT BTE_CALL Reset() override;
  // A copy of the strings, positioned at the start.
  HRESULT BTE_CALL Clone(IEnumString** out) override;

 protected:
  ~StringEnumerator() override = default;

 private:
  uint32_t position_ = 0;
  std::vector<std::string> strings_;
};

}  // namespace bte

#endif  // BTE_STORE_STRING_ENUMERATOR_H
