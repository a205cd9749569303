// plughost editor on Quillon's editor with real input: what the host hears
// of a drag, what each kind of action does, the pictures it takes, the
// host's settings and audio it hands the plug-in, and the bad input it
// refuses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "plughost/runner.h"

namespace {

using plughosttest::plughost;
using plughosttest::Outcome;
using plughosttest::Scratch;
using plughosttest::block;
using plughosttest::contains;
using plughosttest::differingPixels;
using plughosttest::Picture;
using plughosttest::readPng;
using namespace wavbytes;

const char* const kQuillon = "quillon.dll";

TEST(PlughostEditor, ADragOfTheThresholdSliderIsOneEditOfFallingValues) {
  Scratch scratch;
  // From the handle at value 1 to the point of value (100 - 37) / 196.
  const Outcome run = plughost({"editor", kQuillon, "--do", "drag 233,226:100,226"}, scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  const std::vector<std::string> lines = block(run, "action 1: drag 233,226:100,226");
  ASSERT_GE(lines.size(), 4u) << run.out;
  EXPECT_EQ(lines.front(), "  begin-edit 0");
  EXPECT_EQ(lines[lines.size() - 2], "  end-edit 0");
  EXPECT_EQ(lines.back().rfind("  idle ", 0), 0u);
  double previous = 1.0;
  for (size_t i = 1; i + 2 < lines.size(); ++i) {
    ASSERT_EQ(lines[i].rfind("  automate 0 ", 0), 0u) << lines[i];
    const double value = std::atof(lines[i].c_str() + 13);
    EXPECT_LE(value, previous) << lines[i];
    previous = value;
  }
  EXPECT_EQ(lines[lines.size() - 3], "  automate 0 0.321429");
  EXPECT_EQ(run.lineStarting("parameter 0 ").rfind("parameter 0 \"Threshol\" 0.321429 \"", 0), 0u) << run.out;
}

// Each kind of input reaches the editor as a user's would: the modifier
// keys stay down for the whole gesture (and are let go of: Alt, which the
// slider ignores, leaves no menu behind to swallow the next click), one
// wheel notch is one step, keys reach the slider that took the focus.
TEST(PlughostEditor, EachKindOfActionMovesTheSliderAsItsInputShould) {
  struct Case {
    std::vector<std::string> actions;
    std::vector<std::string> parameters;  // final report lines, up to the display text
  };
  const Case cases[] = {
      {{"ctrl-click 38,100"}, {"parameter 1 \"Ratio\" 0.500000 "}},
      {{"shift-drag 100,226:200,226"}, {"parameter 0 \"Threshol\" 0.983163 "}},  // 1 - (1 - 0.831633) / 10
      {{"alt-drag 233,226:100,226", "ctrl-click 38,100"},
       {"parameter 0 \"Threshol\" 0.321429 ", "parameter 1 \"Ratio\" 0.500000 "}},
      {{"wheel 100,226:-2"}, {"parameter 0 \"Threshol\" 0.800000 "}},
      {{"click 100,226", "key left"}, {"parameter 0 \"Threshol\" 0.221429 "}},
      {{"click 100,226", "key shift+up"}, {"parameter 0 \"Threshol\" 0.331429 "}},
  };
  for (const Case& c : cases) {
    Scratch scratch;
    std::vector<std::string> args = {"editor", kQuillon};
    for (const std::string& action : c.actions) args.insert(args.end(), {"--do", action});
    const Outcome run = plughost(args, scratch);
    ASSERT_EQ(run.status, 0u) << c.actions[0] << "\n" << run.err;
    for (const std::string& parameter : c.parameters)
      EXPECT_EQ(run.lineStarting(parameter.substr(0, 12)).rfind(parameter, 0), 0u) << c.actions[0] << "\n" << run.out;
  }
}

// Real keys go to the window with the keyboard focus, which without a text
// field is the host's own: nothing reaches a slider, and no modifier stays
// down to turn the next click into a Control+click.
TEST(PlughostEditor, RealKeysWithNoFieldFocusedChangeNothing) {
  const std::vector<std::string> keys = {"press left", "press ctrl+a", "type hi there", "press shift+return"};
  Scratch scratch;
  std::vector<std::string> args = {"editor", kQuillon, "--do", "click 100,226"};
  for (const std::string& key : keys) args.insert(args.end(), {"--do", key});
  args.insert(args.end(), {"--do", "click 38,60"});
  const Outcome run = plughost(args, scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  for (size_t i = 0; i < keys.size(); ++i) {
    const std::vector<std::string> lines = block(run, "action " + std::to_string(i + 2) + ": " + keys[i]);
    ASSERT_EQ(lines.size(), 1u) << keys[i] << "\n" << run.out;
    EXPECT_EQ(lines[0].rfind("  idle ", 0), 0u) << keys[i];
  }
  EXPECT_EQ(run.lineStarting("parameter 0 ").rfind("parameter 0 \"Threshol\" 0.321429 ", 0), 0u) << run.out;
  EXPECT_EQ(run.lineStarting("parameter 1 ").rfind("parameter 1 \"Ratio\" 0.821429 ", 0), 0u) << run.out;
}

TEST(PlughostEditor, KnobModeIsSentBeforeTheEditorOpensAndItsAnswerReported) {
  Scratch scratch;
  const Outcome run = plughost({"editor", kQuillon, "--knob-mode", "2", "--do", "wait 0"}, scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  const std::vector<std::string> lines = block(run, run.lineStarting("editor "));
  ASSERT_FALSE(lines.empty()) << run.out;
  EXPECT_EQ(lines.front(), "  knob-mode 2 (effSetEditKnobMode answered 1)");
}

// A file shorter than a block and one longer, each played in a loop through
// the open editor: the blocks are counted at the close, which comes as
// usual.
TEST(PlughostEditor, PlaysAnInputFileInALoopWhileTheEditorIsOpen) {
  struct Case {
    uint16_t channels;
    size_t frames;
  };
  const Case cases[] = {{1, 100}, {2, 3000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frames);
    Scratch scratch;
    Bytes loud;  // a full-scale square wave
    for (size_t i = 0; i < c.frames * c.channels; ++i) u16(loud, (i / c.channels / 50) % 2 ? 0x8000 : 0x7FFF);
    const std::string in = scratch.write("loud.wav", riff({fmtChunk(1, c.channels, 48000, 16), chunk("data", loud)}));
    const Outcome run = plughost({"editor", kQuillon, "-i", in, "--do", "wait 100"}, scratch);
    ASSERT_EQ(run.status, 0u) << run.err;
    const std::vector<std::string> first = block(run, run.lineStarting("editor "));
    ASSERT_FALSE(first.empty()) << run.out;
    EXPECT_EQ(first.front(), "  input " + in + ": " + std::to_string(c.frames) +
                                 " frames at 48000 Hz, looped, 512 frames at each idle tick");
    const std::vector<std::string> close = block(run, "close");
    ASSERT_FALSE(close.empty()) << run.out;
    // Every script step waits for an idle tick, and each tick plays a block.
    EXPECT_GE(std::atoi(close.front().c_str() + std::string("  processed ").size()), 2) << close.front();
    EXPECT_NE(run.lineStarting("parameter 1 "), "") << run.out;
  }
}

TEST(PlughostEditor, SnapshotsEqualTheReferencePicturesPixelForPixel) {
  struct Case {
    std::vector<std::string> params;
    const char* reference;
  };
  const Case cases[] = {
      {{}, "editor-default.png"},
      {{"0=0.25", "1=0.5"}, "editor-threshold-0.25-ratio-0.5.png"},
  };
  for (const Case& c : cases) {
    Scratch scratch;
    const std::string out = scratch.path("editor.png");
    std::vector<std::string> args = {"editor", kQuillon, "--snapshot", out};
    for (const std::string& param : c.params) args.insert(args.end(), {"--param", param});
    const Outcome run = plughost(args, scratch);
    ASSERT_EQ(run.status, 0u) << run.err;
    const Picture fresh = readPng(out);
    const Picture reference = readPng(plughosttest::sourcePath("reference/" + std::string(c.reference)));
    ASSERT_FALSE(reference.rgb.empty()) << c.reference;
    ASSERT_EQ(fresh.width, reference.width) << c.reference;
    ASSERT_EQ(fresh.height, reference.height) << c.reference;
    EXPECT_EQ(differingPixels(fresh, reference), 0u) << c.reference;
  }
}

TEST(PlughostEditor, RefusesBadInputWithOneLineStatusTwoAndNoFile) {
  struct Case {
    std::vector<std::string> args;  // after "editor"; OUT stands for a path in the scratch folder
    const char* says;
  };
  const Case cases[] = {
      {{"fixtures/testplug_clean.dll", "--snapshot", "OUT"}, "has no editor"},
      {{"fixtures/testplug_hugerect.dll", "--snapshot", "OUT"}, "asks for 30000x30000 at 0,0, which a host cannot"},
      {{kQuillon, "--snapshot", "OUT", "--do", "jump 10,10"}, "expected an action"},
      {{kQuillon, "--snapshot", "OUT", "--do", "drag 10,10:20"}, "expected drag X1,Y1:X2,Y2"},
      {{kQuillon, "--snapshot", "OUT", "--do", "click 320,10"}, "outside the editor (320 x 240)"},
      {{kQuillon, "--do", "click 10,10", "--snapshot", "missing/OUT"}, "cannot write"},
      {{kQuillon, "--snapshot", "OUT", "--do", "alt-drag 10,10"}, "expected alt-drag X1,Y1:X2,Y2"},
      {{kQuillon, "--snapshot", "OUT", "--do", "hold 10,10:-5"}, "expected hold X,Y:MS"},
      {{kQuillon, "--snapshot", "OUT", "--do", "press ctrl+f1"}, "expected press [shift+][ctrl+]KEY"},
      {{kQuillon, "--snapshot", "OUT", "--do", "type"}, "expected type TEXT"},
      {{kQuillon, "--snapshot", "OUT", "--knob-mode", "3"}, "--knob-mode: expected a whole number from 0 to 2"},
      {{kQuillon, "--snapshot", "OUT", "-i", "absent.wav"}, "cannot read absent.wav"},
  };
  for (const Case& c : cases) {
    Scratch scratch;
    std::vector<std::string> args = {"editor"};
    for (std::string arg : c.args) {
      const size_t out = arg.find("OUT");
      if (out != std::string::npos) arg = scratch.path(arg.replace(out, 3, "editor.png"));
      args.push_back(arg);
    }
    const Outcome run = plughost(args, scratch);
    EXPECT_EQ(run.status, 2u) << c.says;
    ASSERT_EQ(run.errLines().size(), 1u) << c.says << "\n" << run.err;
    EXPECT_TRUE(contains(run.err, c.says)) << run.err;
    EXPECT_TRUE(scratch.files().empty()) << c.says;
  }
}

}  // namespace
