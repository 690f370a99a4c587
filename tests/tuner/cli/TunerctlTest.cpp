// tunerctl run as a program, against the simulator and against no device.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "tests/tuner/cli/TunerctlRun.h"
#include "tuner/sim/ProcessorSimulator.h"

TEST(Tunerctl, DumpJsonDescribesTheLiveSettings) {
  const ProgramRun r = Tunerctl("--simulator dump --json");
  ASSERT_EQ(r.status, 0);
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["identification"], "DSD-770-31EQ-V3.0");
  EXPECT_EQ(j["system"]["master_volume"], 60);
  EXPECT_EQ(j["speaker_types"].size(), 10u);
  EXPECT_EQ(j["speaker_type_names"][9], "Subwoofer");
  EXPECT_EQ(j["slots"].size(), 6u);
  ASSERT_EQ(j["channels"].size(), 10u);
  const auto& ch = j["channels"][0];
  EXPECT_EQ(ch["gain_code"], 60);
  EXPECT_EQ(ch["lowpass"]["frequency"], 20000);
  EXPECT_EQ(ch["limiter"]["threshold"], 360);
  EXPECT_EQ(ch["routing"].size(), 16u);
  ASSERT_EQ(ch["bands"].size(), 31u);
  EXPECT_EQ(ch["bands"][25]["frequency"], 6299);
  EXPECT_EQ(ch["bands"][25]["gain_code"], 600);
  EXPECT_DOUBLE_EQ(double(ch["bands"][25]["q"]), 4.499);
}

TEST(Tunerctl, StateFileKeepsTheVirtualProcessorBetweenRuns) {
  const std::string state = TempPath("tunerctl-state-");
  {
    ProcessorSimulator sim;
    sim.SetSlotName(4, "Night drive");
    sim.SetStatus(33, 1, 2);
    ASSERT_TRUE(sim.Save(state));
  }
  const ProgramRun r = Tunerctl("--simulator=" + state + " dump --json");
  ASSERT_EQ(r.status, 0);
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["slots"][3], "Night drive");
  EXPECT_EQ(j["system"]["master_volume"], 33);
  EXPECT_EQ(j["system"]["source"], 2);

  std::FILE* f = std::fopen(state.c_str(), "wb");
  std::fputs("not a state", f);
  std::fclose(f);
  const ProgramRun bad = Tunerctl("--simulator=" + state + " dump", true);
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.out.find("error for file!"), std::string::npos);
  std::filesystem::remove(state);
}

TEST(Tunerctl, NoDeviceFailsClearlyAndQuickly) {
  const auto start = std::chrono::steady_clock::now();
  const ProgramRun r = Tunerctl("dump", true);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("unable to connect"), std::string::npos);
  const ProgramRun zh = Tunerctl("--chinese identify", true);
  EXPECT_NE(zh.out.find("无法连接设备"), std::string::npos);
}

TEST(Tunerctl, IdentifyTableAndHelp) {
  EXPECT_EQ(Tunerctl("--simulator identify").out, "DSD-770-31EQ-V3.0\n");
  const ProgramRun table = Tunerctl("--simulator dump");
  EXPECT_EQ(table.status, 0);
  EXPECT_NE(table.out.find("CH10 Subwoofer"), std::string::npos);
  const ProgramRun help = Tunerctl("--help");
  EXPECT_EQ(help.status, 0);
  for (const char* word : {"devices", "identify", "dump", "--json", "--simulator", "--chinese"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
  EXPECT_EQ(Tunerctl("frobnicate").status, 2);
}
