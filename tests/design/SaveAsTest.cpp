// --save-as against another writer, in two processes: the test holds the data
// file's lock while zovuderiz-design searches, so the run reaches its save and
// waits; the test then adds an engine under the same name and lets go. The
// proposal must be refused (printed all the same) and the other engine kept.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "DesignCommand.h"
#include "SampleEngines.h"
#include "StoreTestSupport.h"

namespace fs = std::filesystem;

namespace {

// Reads from fd up to and including the next newline (all that is left at the
// end, or all that came within 20 seconds).
std::string ReadLine(int fd) {
  std::string line;
  char c = 0;
  pollfd ready{fd, POLLIN, 0};
  while (poll(&ready, 1, 20000) == 1 && read(fd, &c, 1) == 1) {
    line += c;
    if (c == '\n') break;
  }
  return line;
}

}  // namespace

TEST(SaveAsTest, ANameSavedDuringTheSearchIsRefusedAndTheOtherEngineSurvives) {
  const fs::path dir = fs::temp_directory_path() / ("zov_save_as_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const fs::path data = dir / "ste_data.dat";
  WriteRecords(data, {SampleRecord("Goods 0-6-0 slide valve")});
  const int holder = open(data.c_str(), O_RDWR);
  ASSERT_EQ(flock(holder, LOCK_EX), 0);
  int said[2];
  ASSERT_EQ(pipe(said), 0);
  const pid_t child = fork();
  if (child == 0) {
    close(holder);  // the lock stays with the test's open file, not with a copy here
    close(said[0]);
    dup2(said[1], STDERR_FILENO);
    std::ofstream out(dir / "out.txt");
    const int status = RunDesignCommand({"--data", data.string(), "--max-evals", "24", "--notches", "-20,20",
                                         "--set", "25", "--save-as", "Race", "Goods 0-6-0 slide valve"},
                                        out, std::cerr);
    out.close();
    _exit(status);
  }
  close(said[1]);
  const std::string waiting = ReadLine(said[0]);
  EXPECT_EQ(waiting,
            "zovuderiz-design: waiting for another program to finish with '" + data.string() + "'...\n");
  // Under the lock the test is the writer: it adds "Race" in place, then lets go.
  const EngineRecord race = MakeRecord("Race", 7);
  std::ofstream(data, std::ios::binary | std::ios::app)
      .write(reinterpret_cast<const char*>(&race), sizeof race);
  close(holder);
  const std::string refusal = ReadLine(said[0]);
  const std::string rest = ReadLine(said[0]);
  close(said[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 3);
  EXPECT_EQ(refusal, "zovuderiz-design: an engine named 'Race' was saved in '" + data.string() +
                         "' during the search; the proposal above was not stored\n");
  EXPECT_EQ(rest, "");
  EXPECT_NE(ReadBytes(dir / "out.txt").find("Worst cut-off"), std::string::npos);  // the proposal, printed
  EXPECT_EQ(FileOrder(data), (std::vector<std::string>{"Goods 0-6-0 slide valve:78", "Race:7"}));
  fs::remove_all(dir);
}
