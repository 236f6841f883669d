// Tests that read the real-document corpus start with BTE_REQUIRE_CORPUS():
// without the corpus they skip, all with the same message, which make check
// counts.
#ifndef BTE_TESTS_SUPPORT_CORPUS_H
#define BTE_TESTS_SUPPORT_CORPUS_H

#include <gtest/gtest.h>

#include "tests/support/corpus_dir.h"

#define BTE_REQUIRE_CORPUS()           \
  if (::bte::test::HaveCorpus()) {     \
  } else                               \
    GTEST_SKIP() << ::bte::test::NoCorpusMessage()

#endif  // BTE_TESTS_SUPPORT_CORPUS_H
