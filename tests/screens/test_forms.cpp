// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>

#include "game/int16.h"
#include "support/script_loop.h"

namespace tj::testing {
namespace {

// A plain screen for registry tests; it logs its handlers and can open another screen modally.
struct Probe : Screen {
  Probe(App& app, std::string name, std::vector<std::string>& log)
      : Screen(app, name, WindowSpec{}),
        log(log),
        lbl(add("lbl", ElementKind::Label, 0, 0, 100, 100)),
        cmdOpen(add("cmdOpen", ElementKind::Button, 0, 0, 100, 100)),
        cmdClose(add("cmdClose", ElementKind::Button, 0, 0, 100, 100)),
        cmdHide(add("cmdHide", ElementKind::Button, 0, 0, 100, 100)),
        cmdQuit(add("cmdQuit", ElementKind::Button, 0, 0, 100, 100)) {
    cmdOpen.Click = [this] {
      this->log.push_back(this->name() + " opens " + opens);
      this->app().forms.get(opens).ShowModal();
      this->log.push_back(this->name() + " continues");
    };
    cmdClose.Click = [this] { Unload(); };
    cmdHide.Click = [this] { Hide(); };
    cmdQuit.Click = [this] { this->app().forms.UnloadForms(); };
  }
  void Form_Load() override { log.push_back(name() + " load"); }
  void Form_Activate() override {
    log.push_back(name() + " activate");
    if (failOnActivate) throw OverflowError("Überlauf");
  }
  bool failOnActivate = false;
  std::vector<std::string>& log;
  Element& lbl;
  Element& cmdOpen;
  Element& cmdClose;
  Element& cmdHide;
  Element& cmdQuit;
  std::string opens;
  int counter = 0;  // a screen-level variable
  std::shared_ptr<int> alive = std::make_shared<int>();  // expires when the screen is freed
};

struct FormsTest : ::testing::Test {
  ScriptLoop loop;
  ScriptRandom random;
  FakePictures pictures;
  App app{Services{loop, random, pictures, "/spiel", "/daten", [](const std::string&) {}}};
  std::vector<std::string> log;

  FormsTest() {
    loop.attach(app);
    for (const char* n : {"A", "B", "C"})
      app.forms.define(n, [this, n](App& a) { return std::make_unique<Probe>(a, n, log); });
  }
  Probe& probe(const std::string& n) { return static_cast<Probe&>(app.forms.get(n)); }
};

// Any access loads a screen, even a write to one of its elements, and runs Form_Load once.
TEST_F(FormsTest, writingAnElementLoadsTheScreenHidden) {
  EXPECT_FALSE(app.forms.isLoaded("A"));
  probe("A").lbl.setCaption("x");
  EXPECT_TRUE(app.forms.isLoaded("A"));
  EXPECT_FALSE(probe("A").Visible());
  probe("A").lbl.setCaption("y");
  EXPECT_EQ(log, std::vector<std::string>{"A load"});
}

// Unloading discards the screen's variables and elements; the next access starts afresh.
// The screen is freed once its handlers have returned, so a long session does not grow.
TEST_F(FormsTest, unloadDiscardsScreenVariables) {
  std::weak_ptr<int> unloaded;
  app.dispatch([&] {
    unloaded = probe("A").alive;
    probe("A").counter = 7;
    probe("A").lbl.setCaption("changed");
    probe("A").Unload();
    EXPECT_FALSE(app.forms.isLoaded("A"));
    EXPECT_FALSE(unloaded.expired()) << "a handler of it may still run";
  });
  EXPECT_TRUE(unloaded.expired());
  EXPECT_EQ(probe("A").counter, 0);
  EXPECT_EQ(probe("A").lbl.Caption(), "");
}

// Hiding keeps the screen loaded and ends its modal show: the caller goes on.
TEST_F(FormsTest, hideEndsModalShowButKeepsScreenLoaded) {
  probe("A").opens = "B";
  app.dispatch([&] { probe("A").Show(); });
  loop.click("A", "cmdOpen").click("B", "cmdHide");
  loop.drain();
  EXPECT_TRUE(app.forms.isLoaded("B"));
  EXPECT_FALSE(probe("B").Visible());
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "A activate") << "A is active again before its handler goes on";
  EXPECT_EQ(log.back(), "A continues");
}

// Nested modal shows return innermost first, each caller continuing after its own show;
// the screen below becomes active again each time the one above closes.
TEST_F(FormsTest, nestedModalShowsReturnInnermostFirst) {
  probe("A").opens = "B";
  probe("B").opens = "C";
  app.dispatch([&] { probe("A").Show(); });
  log.clear();
  loop.click("A", "cmdOpen").click("B", "cmdOpen");
  loop.then([](ScriptLoop& s) {
    // B lies below the modal C: it takes no clicks.
    EXPECT_FALSE(s.tryClick("B", "cmdClose"));
    EXPECT_FALSE(s.tryClick("A", "cmdClose"));
  });
  loop.click("C", "cmdClose").click("B", "cmdClose");
  loop.drain();
  const std::vector<std::string> expected{"A opens B",  "B activate",  "B opens C",  "C load",     "C activate",
                                          "B activate", "B continues", "A activate", "A continues"};
  EXPECT_EQ(log, expected);
  EXPECT_FALSE(app.forms.isLoaded("B"));
  EXPECT_FALSE(app.forms.isLoaded("C"));
}

// UnloadForms unloads hidden screens too, and a waiting caller never touches a screen again.
TEST_F(FormsTest, unloadFormsEndsTheProgramFromInsideNestedShows) {
  probe("A").opens = "B";
  probe("B").opens = "C";
  loop.then([&](ScriptLoop&) { probe("C"); });  // loaded, never shown
  loop.click("A", "cmdOpen").click("B", "cmdQuit");
  app.dispatch([&] { probe("A").Show(); });
  loop.drain();
  EXPECT_FALSE(app.forms.anyLoaded());
  EXPECT_TRUE(app.ended());
  EXPECT_EQ(std::find(log.begin(), log.end(), "A continues"), log.end()) << "the caller below ended without going on";
  EXPECT_THROW(app.forms.get("A"), ProgramEnding);
}

// An error in a handler or an activation handler is told to the players; the program goes on.
TEST_F(FormsTest, errorsBecomeMessagesAndTheProgramGoesOn) {
  probe("A").opens = "B";
  probe("A").failOnActivate = true;
  loop.autoOk = true;
  app.dispatch([&] { probe("A").Show(); });
  loop.click("A", "cmdOpen").click("B", "cmdClose");
  loop.drain();
  ASSERT_EQ(loop.messages().size(), 2u);
  EXPECT_NE(loop.messages()[0].text.find("Überlauf"), std::string::npos) << loop.messages()[0].text;
  EXPECT_TRUE(probe("A").Visible());
  EXPECT_EQ(log.back(), "A continues");
}

}  // namespace
}  // namespace tj::testing
