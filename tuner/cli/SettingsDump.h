#pragma once
// The live settings of the model as tunerctl prints them: a readable table
// or one JSON object (documented in the README).

#include <string>

class CKTV_Data;

std::string DumpJson(const CKTV_Data& model);
std::string DumpTable(const CKTV_Data& model);
