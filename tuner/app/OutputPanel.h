#pragma once
// What the main form asks of the output channel panel that lives in its frame
// control 1368. The panel plugs itself in with MainForm::SetOutputPanel; until
// one is plugged in the form does without it.

namespace app {

class OutputPanel {
 public:
  virtual ~OutputPanel() = default;
  // Show the form's current channel again (channel change, bulk changes).
  virtual void Refresh() = 0;
  // Texts and images of the current language.
  virtual void Relabel() = 0;
  // The user dragged band b (0 ... 30) of the current channel on the graph.
  virtual void BandChangedFromGraph(int band) = 0;
};

}  // namespace app
