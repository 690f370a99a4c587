#pragma once
// The effect record and the two input records (microphone, music). This
// product neither edits nor sends them; they are applied and packed like the
// channel records so that files and slots carry them unchanged.

#include <cstdint>
#include <string>
#include <vector>

#include "tuner/model/CKTVEQ.h"

class CRecordData {
 public:
  void Apply(const uint8_t* record);
  void Pack(uint8_t* record) const;

  const std::string& Name() const { return name_; }
  CKTVEQ& Filters() { return eq_; }
  const CKTVEQ& Filters() const { return eq_; }

 protected:
  CRecordData(size_t size, const int* bandHz, int bandCount, size_t crossover, size_t name, size_t nameSize);

 private:
  std::vector<uint8_t> raw_;  // bytes whose meaning this product does not need
  CKTVEQ eq_;
  std::string name_;
  size_t crossover_, nameOffset_, nameSize_;
};

class CEffect_Data : public CRecordData {
 public:
  CEffect_Data();
};

class CMIC_InData : public CRecordData {
 public:
  CMIC_InData();
};

class CMusic_InData : public CRecordData {
 public:
  CMusic_InData();
};
