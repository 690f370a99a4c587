#pragma once
// The one document: owns the parameter model the main view edits.

#include <QString>

#include <memory>

#include "tuner/model/CKTV_Data.h"

namespace app {

class CDSP550Doc {
 public:
  // Builds the default parameter set of every channel.
  CDSP550Doc();

  CKTV_Data& Model() { return *model_; }
  const QString& Title() const { return title_; }

 private:
  std::unique_ptr<CKTV_Data> model_;
  QString title_;
};

}  // namespace app
