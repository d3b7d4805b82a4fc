#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "windows/main_window_model.h"
#include "fakes/fake_platform.h"

namespace horavia {
namespace {

// The three text commands of the information frame, after a start-up with
// no simulator and with the sounds and the help page in the program folder.
class TextCommandsTest : public ::testing::Test {
 protected:
  TextCommandsTest() {
    world.files.files[world.PathOf("\\sound_button.wav")] = "RIFF";
    world.files.files[world.PathOf("\\Horavia.htm")] = "<html></html>";
    form.Start();
    form.Press(MainButton::Info);
    world.journal.lines.clear();
    world.sound.played.clear();
    world.boxes.shown.clear();
  }

  fakes::FakeWorld world;
  ProcessContext context{world.platform};
  MainWindowModel form{context};
};

TEST_F(TextCommandsTest, HelpPlaysTheButtonSoundThenOpensThePage) {
  const MainControls before = form.Controls();
  form.OpenHelp();
  EXPECT_EQ(world.journal.lines,
            (std::vector<std::string>{"sound C:\\Fly\\Horavia\\sound_button.wav",
                                      "open C:\\Fly\\Horavia\\Horavia.htm"}));
  EXPECT_TRUE(world.boxes.shown.empty());
  EXPECT_EQ(form.Controls().infoFrameVisible, before.infoFrameVisible);
  EXPECT_EQ(form.Controls().buttons, before.buttons);
}

TEST_F(TextCommandsTest, HelpWithoutThePageIsSilent) {
  world.files.files.erase(world.PathOf("\\Horavia.htm"));
  form.OpenHelp();
  EXPECT_TRUE(world.shell.opened.empty());
  EXPECT_TRUE(world.boxes.shown.empty());
  EXPECT_EQ(world.sound.played.size(), 1u) << "the click itself still sounds";

  // A folder of that name is no page either.
  world.files.folders.insert(world.PathOf("\\Horavia.htm"));
  form.OpenHelp();
  EXPECT_TRUE(world.shell.opened.empty());
}

TEST_F(TextCommandsTest, HelpOpensThePageEvenWithoutTheSound) {
  world.files.files.erase(world.PathOf("\\sound_button.wav"));
  form.OpenHelp();
  EXPECT_TRUE(world.sound.played.empty());
  EXPECT_EQ(world.shell.opened, (std::vector<std::string>{"C:\\Fly\\Horavia\\Horavia.htm"}));
}

// The windows they stand for are the renderer's to open; the model only
// sounds the click and leaves everything else as it was.
TEST_F(TextCommandsTest, LogAndSettingsOnlySoundTheClick) {
  const MainControls before = form.Controls();
  const Settings settings = context.settings;
  form.OpenLog();
  form.OpenSettings();
  EXPECT_EQ(world.journal.lines,
            (std::vector<std::string>{"sound C:\\Fly\\Horavia\\sound_button.wav",
                                      "sound C:\\Fly\\Horavia\\sound_button.wav"}));
  EXPECT_TRUE(world.shell.opened.empty());
  EXPECT_TRUE(world.boxes.shown.empty());
  EXPECT_EQ(form.Controls().buttons, before.buttons);
  EXPECT_EQ(form.Controls().infoFrameVisible, before.infoFrameVisible);
  EXPECT_EQ(context.settings, settings);
}

}  // namespace
}  // namespace horavia
