#include <QDesktopServices>

#include "tests/tuner/controls/ControlsFixture.h"
#include "tuner/controls/FontStatic.h"
#include "tuner/controls/HyLink.h"
#include "tuner/controls/ProgressCtrl.h"
#include "tuner/platform/Language.h"

using namespace controls;

namespace {

using StaticsTest = ControlsFixture;

// Receives the links a HyLink opens.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

}  // namespace

TEST_F(StaticsTest, FontStaticNamesAFontThatCannotBeMadeInTheLanguageOfTheMoment) {
  FontStatic label(&form, 2428, "CH1");
  EXPECT_TRUE(label.setFont("Arial", 15));
  EXPECT_EQ(label.shownText(), "CH1");
  EXPECT_EQ(label.font().pixelSize(), 15);
  EXPECT_FALSE(label.setFont("Arial", 0));
  platform::setChinese(false);
  EXPECT_EQ(label.shownText(), "Font could not be created!");
  platform::setChinese(true);
  EXPECT_EQ(label.shownText(), QString::fromUtf8("字体不能创建!"));
}

TEST_F(StaticsTest, GradientProgressShowsThePercentage) {
  GradientProgressCtrl bar(&form, 1);
  bar.setRange(0, 18);
  bar.setPos(9);
  EXPECT_EQ(bar.percentText(), " 50 %");
  bar.setPos(30);
  EXPECT_EQ(bar.percentText(), "100 %") << "clamped to the range";
  bar.setRange(0, 0);
  EXPECT_EQ(bar.percentText(), "  0 %");
}

TEST_F(StaticsTest, HyLinkOpensItsUrlOnClick) {
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("https", &catcher, "open");
  HyLink link(&form, 3000, "home", QUrl("https://example.com/"));
  link.resize(60, 16);
  QTest::mouseClick(&link, Qt::LeftButton);
  QDesktopServices::unsetUrlHandler("https");
  EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl("https://example.com/")});
}

#include "StaticsTest.moc"
