// The built library under load, as a busy host drives it: several apartment
// threads creating, querying and releasing objects while others take and
// drop factory references and server locks, and a file rewritten while it
// is read. Bounded for CI; FILEDATA_STRESS_ROUNDS scales the work.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/plugin/PlugInDllFixture.h"

namespace filedata::plugintest {
namespace {

int Rounds(int ciDefault) {
  const char* scale = std::getenv("FILEDATA_STRESS_ROUNDS");
  const int rounds = scale ? std::atoi(scale) : 0;
  return rounds > 0 ? rounds : ciDefault;
}

// One GetData; "E_FAIL: <last error>" on failure. With EXPLAIN, its
// ExplainData instead, the steps into STEPS.
std::string Answer(IQeltGen& gen, const std::string& params, IFiledataExplain* explain = nullptr,
                   std::string* steps = nullptr) {
  const char* name = nullptr;
  BYTE kind = 0xEE;
  const char* text = nullptr;
  double number = 0;
  const char* told = "";
  const HRESULT result = explain ? explain->ExplainData(0, params.c_str(), &name, &kind, &text, &number, &told)
                                 : gen.GetData(0, params.c_str(), &name, &kind, &text, &number);
  if (steps) *steps = told;
  if (result != S_OK) {
    const char* error = nullptr;
    gen.GetLastErrorText(&error);
    return "E_FAIL: " + std::string(error ? error : "<null>");
  }
  return kind == 0 ? "number " + std::to_string(number) : "text " + std::string(text ? text : "<null>");
}

TEST(StressTest, ApartmentsCreateQueryAndReleaseWhileOthersHoldFactoriesAndLocks) {
  const TDllUnderTest library;
  ASSERT_NE(library.Module(), nullptr);
  const TScratchFolder folder("filedata-stress");
  const std::string file = folder.PathOf("reading.txt");
  std::ofstream(file, std::ios::binary) << "label\r\n42\r\n";
  const std::string params = "FILENAME=" + file + "|LINE=2";

  const int rounds = Rounds(150);
  constexpr int kWorkers = 6;
  constexpr int kHolders = 2;
  std::atomic<int> wrong{0};
  std::atomic<bool> workersDone{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < kWorkers; ++t) {
    threads.emplace_back([&] {
      const TApartment apartment;
      if (FAILED(apartment.Result())) {
        ++wrong;
        return;
      }
      for (int round = 0; round < rounds; ++round) {
        const TComRef<IQeltGen> gen = library.NewObject<IQeltGen>(IID_IQeltGen);
        const TComRef<IQeltEditorSupport> editor =
            gen ? QueryAs<IQeltEditorSupport>(gen.Get(), IID_IQeltEditorSupport) : TComRef<IQeltEditorSupport>();
        const TComRef<IQeltAutoUpdate> update =
            editor ? QueryAs<IQeltAutoUpdate>(editor.Get(), IID_IQeltAutoUpdate) : TComRef<IQeltAutoUpdate>();
        if (!update) {
          ++wrong;
          continue;
        }
        BYTE flags = 0xEE;
        const char* location = nullptr;
        if (Answer(*gen, params) != "number 42.000000" || editor->GetEditorFlags(0, &flags) != S_OK || flags != 0 ||
            update->GetUpdateLocation(&location) != S_OK || !location) {
          ++wrong;
        }
      }
    });
  }
  for (int t = 0; t < kHolders; ++t) {
    threads.emplace_back([&] {
      const TApartment apartment;
      while (!workersDone) {
        void* out = nullptr;
        if (library.GetClassObject(CLSID_FileData, IID_IClassFactory, &out) != S_OK || !out) {
          ++wrong;
          continue;
        }
        auto* factory = static_cast<IClassFactory*>(out);
        factory->AddRef();
        factory->LockServer(TRUE);
        factory->Release();
        factory->LockServer(FALSE);
        factory->Release();
      }
    });
  }
  for (int t = 0; t < kWorkers; ++t) threads[t].join();
  workersDone = true;
  for (std::size_t t = kWorkers; t < threads.size(); ++t) threads[t].join();

  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(library.CanUnloadNow(), S_OK) << "an object, factory reference or lock was left counted";
}

// The writer truncates and rewrites the file in several writes. The share
// mode keeps it out while a query reads, and the query out while it writes,
// so every answer is a line some version really had, or a clean failure;
// and an explanation tells the line of the very read it answers from.
TEST(StressTest, AFileRewrittenWhileItIsReadGivesOnlyRealLinesOrCleanFailures) {
  const TDllUnderTest library;
  ASSERT_NE(library.Module(), nullptr);
  const TScratchFolder folder("filedata-rewrite");
  const std::string file = folder.PathOf("rewritten.txt");
  // Version V has V % 7 + 2 lines "V:i:" padded to differing lengths.
  const auto version = [](int v) {
    std::vector<std::string> lines;
    for (int i = 0; i < v % 7 + 2; ++i) {
      lines.push_back(std::to_string(v) + ":" + std::to_string(i) + ":" + std::string(v % 50 * i, 'x'));
    }
    return lines;
  };
  std::set<std::string> real;
  const int versions = Rounds(150) * 4;
  for (int v = 0; v < versions; ++v) {
    for (const std::string& line : version(v)) real.insert("text " + line);
  }

  std::atomic<bool> done{false};
  std::atomic<int> written{0};
  std::thread writer([&] {
    for (int v = 0; v < versions; ++v) {
      HANDLE h = INVALID_HANDLE_VALUE;
      while ((h = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) == INVALID_HANDLE_VALUE) {
        Sleep(0);  // a query holds the file: try again
      }
      for (const std::string& line : version(v)) {
        const std::string bytes = line + "\r\n";
        DWORD wrote = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
      }
      CloseHandle(h);
      ++written;
    }
    done = true;
  });

  const TApartment apartment;
  const TComRef<IQeltGen> gen = library.NewObject<IQeltGen>(IID_IQeltGen);
  const TComRef<IFiledataExplain> explain = QueryAs<IFiledataExplain>(gen.Get(), IID_IFiledataExplain);
  ASSERT_TRUE(gen && explain);
  int answers = 0, failures = 0;
  std::set<std::string> unexpected, unexplained;
  const std::string sharing = "E_FAIL: Cannot open file \"";
  while (!done || answers == 0) {
    for (const char* line : {"|LINE=0", "|LINE=1", "|LINE=2"}) {
      for (IFiledataExplain* explaining : {static_cast<IFiledataExplain*>(nullptr), explain.Get()}) {
        std::string steps;
        const std::string answer = Answer(*gen, "FILENAME=" + file + line, explaining, &steps);
        ++answers;
        if (answer.rfind(sharing, 0) == 0 || answer == "text Invalid Arguments") {
          ++failures;  // held by the writer, or not yet written at all
        } else if (!real.count(answer)) {
          unexpected.insert(answer);
        } else if (explaining && steps.find("\"text\":\"" + answer.substr(5) + "\",\"size\":") == std::string::npos) {
          unexplained.insert(answer + " explained by " + steps);
        }
      }
    }
  }
  writer.join();
  EXPECT_TRUE(unexpected.empty()) << unexpected.size() << " answers no version had, e.g. " << *unexpected.begin();
  EXPECT_TRUE(unexplained.empty()) << unexplained.size() << " explanations of another read, e.g. "
                                   << *unexplained.begin();
  EXPECT_GT(answers, failures) << "no query ever read the file";
  std::printf("%d answers over %d versions, %d clean failures\n", answers, written.load(), failures);
}

}  // namespace
}  // namespace filedata::plugintest
