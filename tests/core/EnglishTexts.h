#pragma once
#include <gtest/gtest.h>

#include "base/StringTable.h"

namespace quirnel::test {

// Tests of texts run in English and leave the process-wide language as they found it.
class EnglishTexts : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = CurrentUiLanguage();
        SetUiLanguage(UiLanguage::English);
    }
    void TearDown() override { SetUiLanguage(saved_); }

private:
    UiLanguage saved_{};
};

}  // namespace quirnel::test
