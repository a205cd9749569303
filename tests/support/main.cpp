// The entry point of every test executable.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  // Standard output is a pipe under ctest, which the C runtime buffers
  // whole; a run ended at its time limit would lose the very lines that
  // say which test was running. Unbuffered, they are always there.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
