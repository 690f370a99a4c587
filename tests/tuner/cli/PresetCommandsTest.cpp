// tunerctl's preset and slot commands, run as a program: files decoded
// without a device, and the slot commands against a persistent simulator.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "tests/tuner/cli/TunerctlRun.h"
#include "tests/tuner/presets/PresetFixtures.h"
#include "tuner/filters/FrequencyGrid.h"

using namespace presets;

namespace {

class PresetCommands : public ::testing::Test {
 protected:
  // Writes the model as a preset file into the scratch folder.
  std::string Save(CKTV_Data& m, const std::string& name) {
    const std::string path = (folder / name).string();
    const PresetFormat format = *FormatOfPath(path);
    EXPECT_TRUE(WriteFile(path, format, Encode(format, m)));
    return "'" + path + "'";
  }
  std::string Sim() const { return "--simulator='" + (folder / "state.sim").string() + "' "; }

  // CSV lines "frequency_hz,db" as numbers.
  static std::vector<std::pair<double, double>> Csv(const std::string& text) {
    std::vector<std::pair<double, double>> rows;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
      const size_t comma = line.find(',');
      rows.push_back({std::stod(line.substr(0, comma)), std::stod(line.substr(comma + 1))});
    }
    return rows;
  }

  ScratchFolder folder;
};

TEST_F(PresetCommands, ShowDecodesAFileLikeDump) {
  CKTV_Data m;
  m.Out(2).SetGain(33);
  m.SetPresetName(7, "Seventh");
  m.SetMasterVolume(41);

  const auto single = nlohmann::json::parse(Tunerctl("preset show " + Save(m, "one.dsps") + " --json").out);
  EXPECT_EQ(single["channels"].size(), 10u);
  EXPECT_EQ(single["channels"][2]["gain_code"], 33);
  EXPECT_FALSE(single.contains("system"));
  EXPECT_FALSE(single.contains("slots"));
  EXPECT_FALSE(single.contains("identification"));

  const auto all = nlohmann::json::parse(Tunerctl("preset show " + Save(m, "all.dspa") + " --json").out);
  EXPECT_EQ(all["system"]["master_volume"], 41);
  ASSERT_EQ(all["slots"].size(), 20u);
  EXPECT_EQ(all["slots"][6], "Seventh");
  EXPECT_EQ(all["channels"][2]["gain_code"], 33);

  const ProgramRun table = Tunerctl("preset show " + Save(m, "all.dspa"));
  EXPECT_EQ(table.status, 0);
  EXPECT_NE(table.out.find("7=\"Seventh\""), std::string::npos);
}

TEST_F(PresetCommands, CurveIsTheChannelSumOrOneFilterOnTheGrid) {
  CKTV_Data m;
  m.Out(1).Band(7).SetGainCode(260);  // +6 dB at 100 Hz
  m.Out(1).HighPass().SetFrequency(200, false);
  const std::string file = Save(m, "curve.dsps");

  const auto band = Csv(Tunerctl("preset show " + file + " --curve 2 --band 7").out);
  const auto highPass = Csv(Tunerctl("preset show " + file + " --curve 2 --band 31").out);
  const auto sum = Csv(Tunerctl("preset show " + file + " --curve 2").out);
  ASSERT_EQ(sum.size(), static_cast<size_t>(filters::kGridPoints));
  ASSERT_EQ(band.size(), sum.size());
  ASSERT_EQ(highPass.size(), sum.size());
  const int at100 = filters::NearestGridIndex(100);
  EXPECT_NEAR(band[at100].second, 6.0, 0.15);
  EXPECT_DOUBLE_EQ(band[at100].first, filters::kGridHz[at100]);
  for (const auto& row : band) EXPECT_LE(row.second, 6.0001);
  EXPECT_LT(highPass[0].second, -40.0);
  for (size_t i = 0; i < sum.size(); ++i) EXPECT_NEAR(sum[i].second, band[i].second + highPass[i].second, 1e-3) << i;
  // Other channels stay flat.
  for (const auto& row : Csv(Tunerctl("preset show " + file + " --curve 1").out)) EXPECT_EQ(row.second, 0.0);
}

TEST_F(PresetCommands, RefusedFilesAndWrongUsageExitNonZero) {
  CKTV_Data m;
  const std::string cut = (folder / "cut.dsps").string();
  std::vector<uint8_t> bytes = Encode(PresetFormat::kSingle, m);
  bytes.resize(3000);
  WriteBytes(cut, bytes);
  WriteBytes(folder / "cut.dspa", bytes);
  struct Case {
    std::string args;
    int status;
    std::string message;
  } cases[] = {{"preset show '" + cut + "'", 1, "error for file!\n"},
               {"--chinese preset show '" + cut + "'", 1, "文件错误!\n"},
               {"preset show '" + (folder / "cut.dspa").string() + "' --json", 1, "Read all MusicFile Error\n"},
               {Sim() + "preset load '" + cut + "'", 1, "error for file!\n"},
               {Sim() + "slot store 3 '   '", 1, "The name can not be all spaces!\n"},
               {"slot recall 1", 1, "unable to connect\n"}};
  for (const Case& c : cases) {
    const ProgramRun r = Tunerctl(c.args, true);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_EQ(r.out, c.message) << c.args;
  }
  for (const char* usage : {"preset show x.DSPS", "preset show a.dsps --curve 11", "preset show a.dsps --band 3",
                            "preset show a.dsps --curve 1 --band 33", "slot recall 7", "slot store 2", "slot list x",
                            "dump --curve 1"}) {
    EXPECT_EQ(Tunerctl(usage).status, 2) << usage;
  }
}

TEST_F(PresetCommands, SlotsAndPresetFilesAgainstAPersistentSimulator) {
  auto slots = [&] { return Tunerctl(Sim() + "slot list").out; };
  ASSERT_EQ(Tunerctl(Sim() + "slot store 2 'Club night'").status, 0);
  EXPECT_EQ(slots(), "1 \n2 Club night\n3 \n4 \n5 \n6 \n");

  const std::string all = (folder / "backup.dspa").string();
  ASSERT_EQ(Tunerctl(Sim() + "preset save '" + all + "'").status, 0);
  ASSERT_EQ(Tunerctl(Sim() + "slot delete 2").status, 0);
  EXPECT_EQ(slots(), "1 \n2 \n3 \n4 \n5 \n6 \n");
  ASSERT_EQ(Tunerctl(Sim() + "preset load '" + all + "'").status, 0);
  EXPECT_EQ(slots(), "1 \n2 Club night\n3 \n4 \n5 \n6 \n");

  CKTV_Data m;
  m.Out(0).SetGain(25);
  ASSERT_EQ(Tunerctl(Sim() + "preset load " + Save(m, "loud.dsps")).status, 0);
  EXPECT_EQ(nlohmann::json::parse(Tunerctl(Sim() + "dump --json").out)["channels"][0]["gain_code"], 25);
  // Slot 2 still holds the channels stored before: recalling returns them.
  const ProgramRun recalled = Tunerctl(Sim() + "slot recall 2 --json");
  ASSERT_EQ(recalled.status, 0);
  EXPECT_EQ(nlohmann::json::parse(recalled.out)["channels"][0]["gain_code"], 60);

  const std::string single = (folder / "live.dsps").string();
  ASSERT_EQ(Tunerctl(Sim() + "preset save '" + single + "'").status, 0);
  EXPECT_EQ(ReadBytes(single).size(), kSingleFileSize);
}

}  // namespace
