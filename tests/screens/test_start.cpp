// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "screens/start/frm_start.h"
#include "support/harness.h"

namespace tj::testing {
namespace {

// A setup screen that only closes itself, so the countdown can be watched on its own.
struct SetupStandIn : Screen {
  explicit SetupStandIn(App& app) : Screen(app, "frmAuswahl", WindowSpec{}) {
    add("cmdFertig", ElementKind::Button, 0, 0, 10, 10).Click = [this] { Unload(); };
  }
};

// The countdown: empty for the first second, then 3, 2, 1, 0 one per second; on the
// tick that shows 0 the setup opens modally, and when it closes the start screen unloads.
TEST(StartScreen, countsDownThenShowsSetupAndUnloads) {
  Harness h;
  h.app.forms.define("frmAuswahl", [](App& a) { return std::make_unique<SetupStandIn>(a); });
  std::vector<std::pair<int64_t, std::string>> seen;
  auto label = [&] { return h.form<FrmStart>().lblCountdown.Caption(); };
  for (int i = 0; i < 4; ++i) {
    h.loop.wait(999).then([&](ScriptLoop& s) { seen.emplace_back(s.now(), label()); });
    if (i < 3) h.loop.wait(1);
  }
  h.loop.wait(1).then([&](ScriptLoop& s) {
    EXPECT_TRUE(s.app().forms.get("frmAuswahl").Visible());
    EXPECT_EQ(label(), "0");
    EXPECT_FALSE(h.form<FrmStart>().Timer.TimerEnabled());
  });
  h.loop.wait(5000).click("frmAuswahl", "cmdFertig");
  h.loop.runMain();
  const std::vector<std::pair<int64_t, std::string>> expected{{999, ""}, {1999, "3"}, {2999, "2"}, {3999, "1"}};
  EXPECT_EQ(seen, expected);
  EXPECT_TRUE(h.app.ended()) << "no screen is left once setup and start screen have closed";
}

}  // namespace
}  // namespace tj::testing
