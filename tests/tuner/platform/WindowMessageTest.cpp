#include <gtest/gtest.h>

#include <QThread>

#include <thread>
#include <vector>

#include "tuner/platform/MessageMap.h"
#include "tuner/platform/WindowMessage.h"
#include "tests/tuner/platform/QtTestSupport.h"

using namespace platform;

namespace {

// A window that handles its messages through a map, as the forms do.
class Receiver : public QObject {
 public:
  MessageMap map;
  std::vector<std::tuple<int, WPARAM, LPARAM>> received;
  std::vector<QThread*> threads;

  bool event(QEvent* e) override {
    if (MessageEvent* m = MessageEvent::from(e)) {
      received.emplace_back(m->msg(), m->wParam(), m->lParam());
      threads.push_back(QThread::currentThread());
      map.dispatch(*m);
      return true;
    }
    return QObject::event(e);
  }
};

}  // namespace

TEST(WindowMessage, PostedFromAnotherThreadArriveInOrderOnTheOwnersThread) {
  Receiver r;
  std::thread pump([&] {
    for (int i = 0; i < 100; ++i) postMessage(&r, 0x8000 + i, i, -i);
  });
  pump.join();
  EXPECT_TRUE(r.received.empty()) << "posted messages wait for the event loop";
  waitUntil([&] { return r.received.size() == 100; });
  ASSERT_EQ(r.received.size(), 100u);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(r.received[i], std::make_tuple(0x8000 + i, WPARAM(i), LPARAM(-i)));
    EXPECT_EQ(r.threads[i], QThread::currentThread());
  }
}

TEST(WindowMessage, SentMessagesReturnTheHandlersResultFromAnyThread) {
  Receiver r;
  r.map.on(1225, [](WPARAM w, LPARAM l) { return LRESULT(w * 100 + l); });
  EXPECT_EQ(sendMessage(&r, 1225, 4, 2), 402);

  LRESULT fromPump = 0;
  std::thread pump([&] { fromPump = sendMessage(&r, 1225, 7, 1); });
  waitUntil([&] { return r.received.size() == 2; });
  pump.join();
  EXPECT_EQ(fromPump, 701);
  EXPECT_EQ(r.threads.back(), QThread::currentThread());
  EXPECT_EQ(sendMessage(nullptr, 1), 0);
  EXPECT_FALSE(postMessage(nullptr, 1));
}

TEST(MessageMap, RoutesARowOfControlsToOneHandlerByIdAndNotifyCode) {
  Receiver r;
  std::vector<int> muted, sliders;
  r.map.onCommand(6050, 6059, [&](int id) { muted.push_back(id - 6050); })
      .onControl(10450, 8650, 8659, [&](int id, LPARAM pos) { sliders.push_back((id - 8650) * 1000 + int(pos)); });

  sendCommand(&r, 6053);
  sendCommand(&r, 6060);              // outside the row
  sendCommand(&r, 6051, 5);           // another notify code
  sendMessage(&r, 10450, 8652, 37);
  sendMessage(&r, 10449, 8652, 38);   // another message
  EXPECT_EQ(muted, std::vector<int>{3});
  EXPECT_EQ(sliders, std::vector<int>{2037});
  EXPECT_EQ(LoWord(MakeWParam(6053, 0x300)), 6053);
  EXPECT_EQ(HiWord(MakeWParam(6053, 0x300)), 0x300);
}
