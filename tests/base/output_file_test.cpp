#include "base/output_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "base/version.h"

namespace {
// Finish says whether every byte reached the file: never for a file that was not created, nor
// for one the device refused.
TEST(OutputFile, FinishTellsWhetherTheBytesArrived) {
  OutputFile none;
  EXPECT_FALSE(none.Finish());

  const auto path = (std::filesystem::temp_directory_path() / "zelmiranke-output.txt").string();
  OutputFile written;
  ASSERT_TRUE(written.Create(path));
  written.Write("OK\n");
  EXPECT_TRUE(written.Finish());
  EXPECT_EQ(std::filesystem::file_size(path), 3u);
  std::filesystem::remove(path);

  if (std::filesystem::exists("/dev/full")) {
    OutputFile full;
    ASSERT_TRUE(full.Create("/dev/full"));
    full.Write("OK\n");
    EXPECT_FALSE(full.Finish());
  }
}

// --version's status: 0 when the line was written, 1 when the stream refused it.
TEST(PrintVersion, StatusSaysWhetherTheLineWasWritten) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(PrintVersion("program", file), 0);
  std::fclose(file);
  if (std::FILE* full = std::fopen("/dev/full", "w")) {
    EXPECT_EQ(PrintVersion("program", full), 1);
    std::fclose(full);
  }
}
}  // namespace
