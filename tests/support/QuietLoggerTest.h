// A fixture that starts and ends every test with the logger as a host finds
// it: no file, every switch off, an empty buffer.
#pragma once

#include <gtest/gtest.h>

#include "frame/Logger.h"

namespace zelph::test {

class QuietLoggerTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    Logger::Close();
    Logger::EnableTimeStamp = false;
    Logger::EnableTrace = false;
    Logger::EnableDebug = false;
    Logger::atlLogOutput[0] = L'\0';
  }
};

}  // namespace zelph::test
