#pragma once
// tunerctl's preset file and preset slot commands:
//   preset save FILE | preset load FILE | preset show FILE [--json]
//   preset show FILE --curve CH [--band B]
//   slot list | slot recall N | slot store N NAME | slot delete N
// Exit status as for every tunerctl command: 0 done, 1 refused or failed
// (the system's message on stderr), 2 wrong usage.

#include <functional>
#include <string>
#include <vector>

class CKTVCommand;
class CKTV_Data;
namespace presets {
class SlotOperations;
}

struct PresetCommand {
  std::vector<std::string> words;  // "preset" or "slot" and what follows
  bool json = false;
  int curveChannel = 0;  // 1..10 with --curve
  int curveBand = -1;    // 0..32 with --band
};

constexpr int kExitDone = 0, kExitRefused = 1, kExitUsage = 2;

// True for the words of a preset or slot command, checked in full.
bool IsPresetCommand(const PresetCommand& c);
// True for the commands that need a processor ("preset show" does not).
bool NeedsDevice(const PresetCommand& c);

// What can be checked before connecting: a file that will be refused, a name
// that will be refused. kExitDone when the command may go ahead.
int PrecheckPresetCommand(const PresetCommand& c);

// preset show: decodes the file without any device and prints it.
int ShowPresetFile(const PresetCommand& c);

// The 241-point response of output channel 0..9 as CSV lines
// "frequency_hz,db": the sum of its filters, or filter 0..32 alone.
std::string CurveCsv(const CKTV_Data& model, int channel, int filter);

// Runs a device command once the read-back is done. wait(msg) runs the link
// until the notification msg was handled (false: the link failed).
int RunPresetDeviceCommand(const PresetCommand& c, CKTVCommand& engine, presets::SlotOperations& ops,
                           const std::function<bool(int msg)>& wait);
