#include "tuner/link/HeadlessView.h"

#include "tuner/model/CKTV_Data.h"

LinkOutcome HandleLinkEvent(Connection& link, const LinkEvent& e) {
  CKTVCommand& engine = link.Engine();
  switch (e.msg) {
    case WM_LINK_IDENTITY:
      return link.OnIdentity() ? LinkOutcome::kNone : LinkOutcome::kWrongDevice;
    case WM_LINK_LIVE_OUTPUTS:
      link.OnLiveOutputs(static_cast<int>(e.wParam));
      return LinkOutcome::kReadBackDone;
    case WM_LINK_BATCH_DONE:
      link.OnBatchDone();
      return LinkOutcome::kNone;
    case WM_LINK_FAILURE:
      return link.OnFailure() ? LinkOutcome::kLinkLost : LinkOutcome::kNone;
    case WM_LINK_OLD_FIRMWARE:
      link.OnOldFirmware();
      return LinkOutcome::kOldFirmware;
    case WM_LINK_STATUS_A: {
      LinkGuard hold(engine.Lock());
      engine.Model().SetMasterVolume(static_cast<int>(e.wParam));
      return LinkOutcome::kNone;
    }
    case WM_LINK_STATUS_B: {
      LinkGuard hold(engine.Lock());
      engine.Model().SetMasterSound(static_cast<int>(e.wParam));
      return LinkOutcome::kNone;
    }
    case WM_LINK_STATUS_C: {
      LinkGuard hold(engine.Lock());
      engine.SetReportedSource(static_cast<int>(e.wParam));
      engine.Model().SetSource(static_cast<int>(e.wParam));
      return LinkOutcome::kNone;
    }
    default:
      return LinkOutcome::kNone;
  }
}
