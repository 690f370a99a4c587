#pragma once
// Shared helpers of the preset tests: a scratch folder, whole files as
// bytes, and a model with its engine and slot operations.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/tuner/link/LinkFixtures.h"
#include "tests/tuner/model/ModelFixtures.h"
#include "tuner/presets/SlotOperations.h"

namespace fs = std::filesystem;

inline std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A command expected in a batch: operation, slot, type, channel or item.
struct Expected {
  int op, slot, type, item;
};

inline void ExpectCommands(const std::vector<protocol::Command>& got, const std::vector<Expected>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    const protocol::Command& c = got[i];
    EXPECT_EQ((std::vector<int>{c.operation, c.slot, c.type, c.item}),
              (std::vector<int>{want[i].op, want[i].slot, want[i].type, want[i].item}))
        << "command " << i;
  }
}

inline void Append(std::vector<Expected>& to, int op, int slot, int type, int first, int count) {
  for (int i = 0; i < count; ++i) to.push_back({op, slot, type, first + i});
}

// One command for each output channel: block reads and writes, or the
// element-31 (sound on) writes of the live setting.
inline std::vector<Expected> ChannelBlocks(int op, int slot) {
  std::vector<Expected> e;
  Append(e, op, slot, protocol::kOutput, 0, layout::kChannelCount);
  return e;
}
inline std::vector<Expected> SoundOnWrites() { return ChannelBlocks(protocol::kWrite, 0); }

inline std::vector<Expected> Join(std::initializer_list<std::vector<Expected>> parts) {
  std::vector<Expected> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// The commands of the batches, in order.
inline std::vector<Expected> StoreIntoLiveCommands() {
  return Join({SoundOnWrites(), {{protocol::kWrite, 0, protocol::kSystem, protocol::kItemSlotName}},
               ChannelBlocks(protocol::kWrite, 0), SoundOnWrites()});
}
inline std::vector<Expected> WriteEverythingCommands() {
  std::vector<Expected> want = Join({SoundOnWrites(), ChannelBlocks(protocol::kWrite, 0),
                                     {{protocol::kWrite, 0, protocol::kSystem, protocol::kItem64}}, SoundOnWrites()});
  for (int slot = 1; slot <= presets::kSlotCount; ++slot) {
    want.push_back({protocol::kWrite, slot, protocol::kSystem, protocol::kItemSlotName});
    Append(want, protocol::kWrite, slot, protocol::kOutput, 0, layout::kChannelCount);
  }
  return want;
}
inline std::vector<Expected> BackUpCommands() {
  std::vector<Expected> want;
  for (int slot = 1; slot <= presets::kSlotCount; ++slot) {
    Append(want, protocol::kRead, slot, protocol::kOutput, 0, layout::kChannelCount);
  }
  return want;
}

// A folder of its own for each test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = fs::temp_directory_path() /
            ("presets-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" + std::to_string(::getpid()));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  fs::path operator/(const std::string& name) const { return path_ / name; }
  const fs::path& Path() const { return path_; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path_)) names.push_back(e.path().filename().string());
    return names;
  }

 private:
  fs::path path_;
};

// The language flag for the lifetime of the object.
class LanguageScope {
 public:
  explicit LanguageScope(int chinese) : saved_(g_bChinese.exchange(chinese)) {}
  ~LanguageScope() { g_bChinese = saved_; }

 private:
  int saved_;
};

// A model, its engine and the slot operations over them; the link counts as
// open while linkOpen is set.
class SlotFixture : public EngineTest {
 protected:
  SlotFixture() : ops(engine, [this] { return linkOpen.load(); }) {}

  std::atomic<bool> linkOpen{true};
  presets::SlotOperations ops;
  RecordingNotifier shown;
  ScratchFolder folder;
};
