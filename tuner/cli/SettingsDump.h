#pragma once
// The live settings of the model as tunerctl prints them: a readable table
// or one JSON object (documented in the README).

#include <string>

class CKTV_Data;

// What a printout holds besides the ten channels (a preset file has no
// identification; a single preset has no system head and no slot names).
struct DumpParts {
  bool identification = true;
  bool system = true;  // system block and speaker types
  int slotNames = 6;   // names of the stored records 1..slotNames
};

std::string DumpJson(const CKTV_Data& model, const DumpParts& parts = {});
std::string DumpTable(const CKTV_Data& model, const DumpParts& parts = {});
