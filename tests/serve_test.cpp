#include "vp/serve.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "../src/serve/script_cache.hpp"
#include "harness.hpp"

namespace {

using vp::testing::ScratchDir;

using vp::MemoryConnection;
using vp::MemoryHost;
using vp::RequestHost;

// One worker: the world and the interpreter's storage outlive its requests.
struct Worker {
  MemoryHost world;
  std::unique_ptr<vp::InterpreterSpace> space = std::make_unique<vp::InterpreterSpace>();

  // Serves one request for page with the given query and body.
  std::string serve(const std::string& page, const std::string& query = "",
                    const std::string& body = "", int* status = nullptr,
                    MemoryConnection* given = nullptr) {
    MemoryConnection local;
    MemoryConnection& connection = given != nullptr ? *given : local;
    connection.params["GATEWAY_INTERFACE"] = "CGI/1.1";
    connection.params["QUERY_STRING"] = query;
    connection.body = body;
    RequestHost host(connection, world, nullptr);
    const int got = vp::serve_request(*space, host, page.c_str(), vp::kLineCap);
    if (status != nullptr) *status = got;
    return connection.out;
  }
};

TEST(ServeRequest, WhatEndsAProcessEndsOnlyTheRequest) {
  Worker worker;
  worker.world.scripts["halt.pas"] =
      "program h;\nbegin\n  writeln('one');\n  halt(1);\n  writeln('two');\nend.\n";
  worker.world.scripts["fatal.pas"] =
      "program f;\nvar n : integer;\nbegin\n  n := 1\n  writeln('two');\nend.\n";
  worker.world.scripts["exec.pas"] =
      "program e;\nbegin\n  writeln('one');\n  exec('/bin/echo', 'hi');\n  writeln('two');\nend.\n";
  int status = -1;
  EXPECT_EQ(worker.serve("halt.pas", "", "", &status), "one\n");
  EXPECT_EQ(status, 1);
  EXPECT_EQ(worker.serve("fatal.pas", "", "", &status).find("two"), std::string::npos);

  MemoryConnection started;
  started.programs_start = true;
  started.program_output = "hi\n";
  EXPECT_EQ(worker.serve("exec.pas", "", "", &status, &started), "one\nhi\n");
  EXPECT_EQ(started.programs, std::vector<std::string>{"/bin/echo|hi"});
  // A program that does not start leaves the script running, as under CGI.
  EXPECT_EQ(worker.serve("exec.pas"), "one\ntwo\n");
  EXPECT_EQ(worker.serve("halt.pas", "", "", &status), "one\n");
}

TEST(ServeRequest, AClientThatLeavesEndsOnlyItsRequest) {
  Worker worker;
  Worker fresh;
  worker.world.scripts["flood.pas"] = fresh.world.scripts["flood.pas"] =
      "program f;\nbegin\n  while count 5000 do\n"
      "    writeln('a line of the page that nobody reads');\n  end;\nend.\n";
  MemoryConnection leaving;
  leaving.write_limit = 10;
  worker.serve("flood.pas", "", "", nullptr, &leaving);
  EXPECT_EQ(leaving.out.size(), 10u);
  const std::string whole = fresh.serve("flood.pas");
  EXPECT_GT(whole.size(), 10000u);
  EXPECT_EQ(worker.serve("flood.pas"), whole);
}

// The bytes the cache gives for path, and that they are those of the file it names.
std::string read_all(vp::ScriptCache& cache, const std::string& path) {
  vp::FileIdentity id = {};
  const std::string* bytes = cache.open(path.c_str(), &id);
  if (bytes == nullptr) return "(none)";
  struct stat file;
  if (stat(path.c_str(), &file) != 0 || id.inode != file.st_ino) return "(another file)";
  return *bytes;
}

TEST(ScriptCache, ReadsAChangedScriptAnew) {
  ScratchDir dir;
  vp::ScriptCache cache;
  using Status = vp::ScriptCache::Status;
  const std::string page = dir.write("p.pas", "first\n");
  EXPECT_EQ(read_all(cache, page), "first\n");
  EXPECT_EQ(cache.status(), Status::kLoaded);
  EXPECT_EQ(read_all(cache, page), "first\n");
  EXPECT_EQ(cache.status(), Status::kHit);
  dir.write("p.pas", "second, longer\n");
  EXPECT_EQ(read_all(cache, page), "second, longer\n");
  EXPECT_EQ(cache.status(), Status::kLoaded);
  // The same size, another time: still read anew.
  dir.write("p.pas", "SECOND, LONGER\n");
  struct timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
  utimensat(AT_FDCWD, page.c_str(), times, 0);
  EXPECT_EQ(read_all(cache, page), "SECOND, LONGER\n");

  EXPECT_EQ(read_all(cache, dir.path + "/none.pas"), "(none)");
  EXPECT_EQ(cache.status(), Status::kMissing);
  EXPECT_EQ(read_all(cache, dir.write("e.pas", "")), "");
  EXPECT_EQ(read_all(cache, dir.path), "(none)");
  EXPECT_EQ(cache.status(), Status::kUncached);
}

TEST(ScriptCache, GivesEachScriptItsOwnBytesPastItsSize) {
  ScratchDir dir;
  vp::ScriptCache cache;
  const int count = vp::ScriptCache::kEntries + 3;
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < count; ++i) {
      const std::string text = "script " + std::to_string(i) + "\n";
      const std::string page =
          round == 0 ? dir.write(std::to_string(i), text) : dir.path + "/" + std::to_string(i);
      ASSERT_EQ(read_all(cache, page), text) << "round " << round;
    }
  }
  cache.reset();
  EXPECT_EQ(read_all(cache, (dir.path + "/0")), "script 0\n");
  EXPECT_EQ(cache.status(), vp::ScriptCache::Status::kLoaded);
}

}  // namespace
