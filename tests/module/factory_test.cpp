// The contract every factory and every object shares: the null out-pointer
// answer, one reference for the caller, counting, and QueryInterface.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "buildtagexpr.h"

namespace {

struct Factory {
  std::string name;
  // Calls the factory with out (which may be null) and returns its result.
  std::function<HRESULT(IUnknown** out)> create;
};

void PrintTo(const Factory& factory, std::ostream* os) { *os << factory.name; }

template <class Interface, class... Args>
std::function<HRESULT(IUnknown**)> Wrap(HRESULT(BTE_CALL* factory)(Interface**, Args...), Args... args) {
  return [=](IUnknown** out) {
    if (out == nullptr) return factory(nullptr, args...);
    Interface* object = reinterpret_cast<Interface*>(0x1);  // must be overwritten
    const HRESULT result = factory(&object, args...);
    *out = object;
    return result;
  };
}

const Factory kFactories[] = {
    {"Parser", Wrap(&CreateBuildTagExprParserInstance, static_cast<const char*>("a & b"))},
    {"ParserNullText", Wrap(&CreateBuildTagExprParserInstance, static_cast<const char*>(nullptr))},
    {"Manager", Wrap(&CreateBuildTagExprManagerInstance,
                     static_cast<const char*>("/nonexistent/project.ini"))},
    {"HtmlFilter", Wrap(&CreateBuildTagExprFilterInstance)},
    {"RtfFilter", Wrap(&CreateRTFBuildTagExprFilterInstance)},
    {"Editor", Wrap(&CreateBuildTagExprEditorInstance)},
};

class FactoryContract : public ::testing::TestWithParam<Factory> {
 protected:
  IUnknown* Create() {
    IUnknown* object = nullptr;
    EXPECT_EQ(GetParam().create(&object), S_OK);
    return object;
  }
};

TEST_P(FactoryContract, NullOutPointerAnswersFalse) {
  EXPECT_EQ(GetParam().create(nullptr), S_FALSE);
}

TEST_P(FactoryContract, CallerHoldsTheOnlyReference) {
  IUnknown* object = Create();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->AddRef(), 2u);
  EXPECT_EQ(object->Release(), 1u);
  EXPECT_EQ(object->Release(), 0u);
}

TEST_P(FactoryContract, QueryInterfaceIsNotImplemented) {
  IUnknown* object = Create();
  ASSERT_NE(object, nullptr);
  void* untouched = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(object->QueryInterface(IID_IUnknown, &untouched), E_NOTIMPL);
  EXPECT_EQ(untouched, reinterpret_cast<void*>(0x1234));
  EXPECT_EQ(object->QueryInterface(IID_IEnumString, &untouched), E_NOTIMPL);
  EXPECT_EQ(object->Release(), 0u);
}

INSTANTIATE_TEST_SUITE_P(AllFactories, FactoryContract, ::testing::ValuesIn(kFactories),
                         [](const auto& info) { return info.param.name; });

TEST(IdentityStrings, NeedRoomForBothStringsAndTheirTerminators) {
  char id[32], author[32];
  std::fill(std::begin(id), std::end(id), 'x');
  std::fill(std::begin(author), std::end(author), 'x');
  EXPECT_EQ(GetRTFBuildTagIdentidy(id, 8, author, 32), 0);
  EXPECT_EQ(GetRTFBuildTagIdentidy(id, 32, author, 22), 0);
  EXPECT_EQ(id[0], 'x');
  EXPECT_EQ(author[0], 'x');
  EXPECT_EQ(GetRTFBuildTagIdentidy(id, 9, author, 23), 1);
  EXPECT_STREQ(id, "Scrivlet");
  EXPECT_STREQ(author, "Conditional Build Tags");
}

}  // namespace
