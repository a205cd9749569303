// The gallery plug-in, the toolkit's showcase, driven through plughost with
// real input: what the host hears of each control and what it shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "plughost/runner.h"
#include "support/testhost.h"

namespace {

using namespace plughosttest;
using wavbytes::Bytes;

const char* const kGallery = "gallery.dll";

Outcome runGallery(const std::vector<std::string>& options, const std::vector<std::string>& actions,
                   const Scratch& scratch) {
  std::vector<std::string> args = {"editor", kGallery};
  args.insert(args.end(), options.begin(), options.end());
  for (const std::string& action : actions) args.insert(args.end(), {"--do", action});
  return plughost(args, scratch);
}

bool startsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

TEST(Gallery, DragsTurnTheKnobsInBothKnobModes) {
  struct Case {
    const char* mode;
    const char* action;
    int tag;
    const char* parameter;
  };
  const Case cases[] = {
      {"2", "drag 40,70:80,50", 0, "parameter 0 \"Line\" 0.800000 \"80\""},  // 60 pixels up and right
      {"0", "drag 40,43:57,60", 0, "parameter 0 \"Line\" 0.83333"},         // from the top to the right
      {"0", "alt-drag 120,70:160,50", 1, "parameter 1 \"Bitmap\" 0.800000 \"80\""},
      {"2", "shift-drag 200,75:230,45", 2, "parameter 2 \"Strip\" 0.700000 \"70\""},  // 60 of 300
  };
  for (const Case& c : cases) {
    Scratch scratch;
    const Outcome run = runGallery({"--knob-mode", c.mode}, {c.action}, scratch);
    ASSERT_EQ(run.status, 0u) << c.action << "\n" << run.err;
    EXPECT_TRUE(startsWith(run.lineStarting("parameter " + std::to_string(c.tag)), c.parameter))
        << c.action << "\n" << run.out;
    const std::vector<std::string> lines = block(run, std::string("action 1: ") + c.action);
    ASSERT_GE(lines.size(), 4u) << run.out;
    EXPECT_EQ(lines.front(), "  begin-edit " + std::to_string(c.tag));
    EXPECT_EQ(lines[lines.size() - 2], "  end-edit " + std::to_string(c.tag));
  }
}

// The wheel and the keys step the knob that last took the focus; the strip
// knob's frame follows, and its display with it.
TEST(Gallery, WheelAndKeysStepTheFocusedKnobAndItsFrame) {
  Scratch scratch;
  const std::string full = scratch.path("full.png");
  const Outcome run = runGallery(
      {}, {"wheel 200,60:2", "key up", "key shift+down", "wheel 200,60:5", "snapshot " + full}, scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  const std::vector<std::string> stepped = block(run, "action 3: key shift+down");
  ASSERT_EQ(stepped.size(), 5u) << run.out;
  EXPECT_EQ(stepped[2], "  automate 2 0.790000");
  EXPECT_TRUE(startsWith(run.lineStarting("parameter 2"), "parameter 2 \"Strip\" 1.000000 \"100\"")) << run.out;
  const Picture picture = readPng(full);
  ASSERT_FALSE(picture.rgb.empty());
  // Low on the right of the ring: lit only in the last frames of the strip.
  EXPECT_EQ(picture.at(210, 66), 0xFF8C00ul);
  const Picture reference = readPng(sourcePath("../../docs/gallery.png"));
  ASSERT_FALSE(reference.rgb.empty());
  EXPECT_NE(reference.at(210, 66), 0xFF8C00ul) << "at 0.5 that part is unlit";
}

// The edit the click begins ends when the field closes: on Return, or with
// the editor when it closes over an open field, whose text is then let go.
TEST(Gallery, TextTypedIntoTheFieldSetsItsParameterOnReturn) {
  struct Case {
    const char* typed;
    const char* closing;  // the action that closes the field, or none: the editor closes
    const char* parameter;
    bool automated;
  };
  const Case cases[] = {{"75", "press return", "parameter 3 \"Typed\" 0.750000 \"75\"", true},
                        {"50", "press return", "parameter 3 \"Typed\" 0.500000 \"50\"", false},  // the text it had
                        {"abc", "press return", "parameter 3 \"Typed\" 0.500000 \"50\"", false},  // not a number
                        {"33", nullptr, "parameter 3 \"Typed\" 0.500000 \"50\"", false}};
  for (const Case& c : cases) {
    Scratch scratch;
    std::vector<std::string> actions = {"click 145,127", std::string("type ") + c.typed};
    if (c.closing) actions.push_back(c.closing);
    const Outcome run = runGallery({}, actions, scratch);
    ASSERT_EQ(run.status, 0u) << run.err;
    EXPECT_TRUE(startsWith(run.lineStarting("parameter 3"), c.parameter)) << c.typed << "\n" << run.out;
    EXPECT_EQ(block(run, "action 1: click 145,127").front(), "  begin-edit 3") << run.out;
    const std::vector<std::string> closed = block(run, c.closing ? "action 3: press return" : "close");
    ASSERT_FALSE(closed.empty()) << run.out;
    EXPECT_EQ(closed.front(), "  end-edit 3") << c.typed << "\n" << run.out;
    EXPECT_EQ(contains(run.out, "automate 3"), c.automated) << c.typed << "\n" << run.out;
  }
}

TEST(Gallery, MeterLightsForTheAudioGoingThrough) {
  Scratch scratch;
  Bytes loud;  // a square wave at 90 % of full scale
  for (size_t i = 0; i < 2 * 4800; ++i) wavbytes::u16(loud, (i / 2 / 50) % 2 ? 0x8CCD : 0x7333);
  const std::string in = scratch.write(
      "loud.wav", wavbytes::riff({wavbytes::fmtChunk(1, 2, 48000, 16), wavbytes::chunk("data", loud)}));
  const std::string shot = scratch.path("meter.png");
  const Outcome run = runGallery({"-i", in}, {"wait 300", "snapshot " + shot}, scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  const Picture picture = readPng(shot);
  ASSERT_FALSE(picture.rgb.empty());
  EXPECT_EQ(picture.at(93, 162), 0x28C83Cul) << "first segment lit";
  // -0.9 dB lights all 20; the snapshot's own idle request, with no audio
  // since the last, lets the bar fall one step.
  EXPECT_EQ(picture.at(253, 162), 0xF0D228ul) << "the 17th segment lit";
}

Picture galleryPicture(const std::string& name) {
  return readPng(sourcePath("../../examples/gallery/" + name));
}

// The values the host was sent for one parameter, in order.
std::vector<std::string> automated(const Outcome& run, int index) {
  std::vector<std::string> values;
  const std::string prefix = "  automate " + std::to_string(index) + " ";
  for (const std::string& line : run.outLines())
    if (startsWith(line, prefix)) values.push_back(line.substr(prefix.size()));
  return values;
}

// The counter group lives in a container at (10, 184): the rocker's halves,
// the digits and the reset button are reached through its offset.
TEST(Gallery, RockerStepsTheCounterTheDigitsShowItAndTheKickResetsIt) {
  Scratch scratch;
  const std::string shot = scratch.path("counter.png");
  const Outcome run = runGallery({"--param", "4=0.042042"},
                                 {"snapshot " + shot, "hold 52,224:400", "click 28,224", "click 28,224",
                                  "click 138,224", "click 28,224"},
                                 scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  // A held half is one step, and the rocker's -1, 0 and +1 never reach the
  // host: only counts, and none below 0.
  EXPECT_EQ(automated(run, 4),
            (std::vector<std::string>{"0.043043", "0.042042", "0.041041", "0.000000", "0.000000"}))
      << run.out;
  const std::vector<std::string> held = block(run, "action 2: hold 52,224:400");
  ASSERT_GE(held.size(), 3u) << run.out;
  EXPECT_EQ(held[0], "  begin-edit 4");
  EXPECT_EQ(held[2], "  end-edit 4");
  EXPECT_TRUE(startsWith(run.lineStarting("parameter 4"), "parameter 4 \"Counter\" 0.000000 \"0\"")) << run.out;

  const Picture picture = readPng(shot);
  const Picture strip = galleryPicture("digits.bmp");
  ASSERT_EQ(strip.height, 240);
  const int shownDigits[] = {0, 4, 2};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(differingPixels(picture, 66 + 16 * i, 212, strip, 0, 24 * shownDigits[i], 16, 24), 0u) << i;
}

TEST(Gallery, SwitchesChoosePositionsAndThePictureFollowsTheWave) {
  Scratch scratch;
  const std::string shot = scratch.path("switches.png");
  const Outcome run = runGallery({}, {"click 190,228", "click 326,214", "snapshot " + shot}, scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  EXPECT_TRUE(startsWith(run.lineStarting("parameter 5"), "parameter 5 \"Wave\" 0.666667 \"Saw\"")) << run.out;
  EXPECT_TRUE(startsWith(run.lineStarting("parameter 6"), "parameter 6 \"Range\" 1.000000 \"x8\"")) << run.out;
  const Picture picture = readPng(shot);
  EXPECT_EQ(differingPixels(picture, 180, 188, galleryPicture("vswitch.bmp"), 0, 2 * 64, 20, 64), 0u);
  EXPECT_EQ(differingPixels(picture, 208, 200, galleryPicture("wave.bmp"), 0, 2 * 40, 40, 40), 0u);
  EXPECT_EQ(differingPixels(picture, 270, 204, galleryPicture("hswitch.bmp"), 0, 3 * 20, 64, 20), 0u);
}

TEST(Gallery, ButtonsToggleAndTheLatchKeepsItsStateWhenLetGoOutside) {
  Scratch scratch;
  const std::string shot = scratch.path("buttons.png");
  const Outcome run = runGallery(
      {}, {"click 40,292", "click 40,292", "click 40,292", "click 110,292", "drag 110,292:110,330", "snapshot " + shot},
      scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  EXPECT_EQ(automated(run, 7), (std::vector<std::string>{"1.000000", "0.000000", "1.000000"})) << run.out;
  EXPECT_TRUE(startsWith(run.lineStarting("parameter 7"), "parameter 7 \"Power\" 1.000000 \"On\"")) << run.out;
  // Live: off while the press is inside, back on once it is out. A value
  // is told on every pass of the loop until it is drawn.
  std::vector<std::string> latched = block(run, "action 5: drag 110,292:110,330");
  latched.erase(std::unique(latched.begin(), latched.end()), latched.end());
  ASSERT_GE(latched.size(), 4u) << run.out;
  EXPECT_EQ(std::vector<std::string>(latched.begin(), latched.begin() + 4),
            (std::vector<std::string>{"  begin-edit 8", "  automate 8 0.000000", "  automate 8 1.000000",
                                      "  end-edit 8"}))
      << run.out;
  EXPECT_TRUE(startsWith(run.lineStarting("parameter 8"), "parameter 8 \"Latch\" 1.000000 \"On\"")) << run.out;
  const Picture picture = readPng(shot);
  EXPECT_EQ(differingPixels(picture, 20, 282, galleryPicture("onoff.bmp"), 0, 20, 40, 20), 0u);
  EXPECT_EQ(differingPixels(picture, 90, 282, galleryPicture("latch.bmp"), 0, 20, 40, 20), 0u);
}

// The index of the spinner picture an area shows, or -1 for none.
int spinnerPictureAt(const Picture& picture, const Picture& spinner) {
  for (int k = 0; k < 8; ++k)
    if (differingPixels(picture, 170, 278, spinner, 0, 40 * k, 40, 40) == 0) return k;
  return -1;
}

TEST(Gallery, AClickStartsTheAnimationAndTheNextStopsIt) {
  Scratch scratch;
  const std::string first = scratch.path("first.png"), later = scratch.path("later.png"),
                    closed = scratch.path("closed.png");
  const Outcome run = runGallery({}, {"click 190,298", "snapshot " + first, "wait 400", "snapshot " + later,
                                      "click 190,298", "snapshot " + closed},
                                 scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  const Picture spinner = galleryPicture("spinner.bmp");
  const int shownFirst = spinnerPictureAt(readPng(first), spinner);
  const int shownLater = spinnerPictureAt(readPng(later), spinner);
  EXPECT_GE(shownFirst, 0);
  EXPECT_GE(shownLater, 0);
  EXPECT_NE(shownFirst, shownLater) << "it moved on";
  const Picture reference = readPng(sourcePath("../../docs/gallery.png"));
  EXPECT_EQ(differingPixels(readPng(closed), 170, 278, reference, 170, 278, 40, 40), 0u) << "the field again";
  EXPECT_TRUE(automated(run, 7).empty());
}

// Blended at a constant 200 of 255 over the editor, the picture takes the
// next click inside it for itself and closes; clicks elsewhere reach nothing.
TEST(Gallery, AboutOpensABlendedSplashThatAClickOnItCloses) {
  Scratch scratch;
  const std::string open = scratch.path("open.png"), closed = scratch.path("closed.png");
  const Outcome run =
      runGallery({}, {"click 302,292", "snapshot " + open, "click 40,292", "click 180,160", "snapshot " + closed},
                 scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  EXPECT_TRUE(automated(run, 7).empty()) << "the power button lies under no picture but was not reached";
  const Picture shown = readPng(open);
  const Picture splash = galleryPicture("splash.bmp");
  const Picture reference = readPng(sourcePath("../../docs/gallery.png"));
  ASSERT_FALSE(shown.rgb.empty());
  size_t off = 0;
  for (int y = 60; y < 260; y += 7) {
    for (int x = 40; x < 320; x += 7) {
      const unsigned long top = splash.at(x - 40, y - 60), under = reference.at(x, y), mixed = shown.at(x, y);
      for (int shift = 0; shift <= 16; shift += 8) {
        const int expected = (static_cast<int>((top >> shift) & 255) * 200 +
                              static_cast<int>((under >> shift) & 255) * 55 + 127) / 255;
        if (std::abs(static_cast<int>((mixed >> shift) & 255) - expected) > 1) ++off;
      }
    }
  }
  EXPECT_EQ(off, 0u);
  EXPECT_EQ(differingPixels(readPng(closed), reference), 0u) << "all drawn again";
}

// Lines of the run that start with `prefix`, counted.
size_t linesStarting(const Outcome& run, const std::string& prefix) {
  const std::vector<std::string> lines = run.outLines();
  return static_cast<size_t>(
      std::count_if(lines.begin(), lines.end(), [&](const std::string& line) { return startsWith(line, prefix); }));
}

// Each opening of the filter menu is one edit; only a choice reaches the
// host's automation. Its first entry is item 0, and Escape is no choice.
TEST(Gallery, FilterMenuChoosesByKeyByClickInItsSubMenuOrNothing) {
  struct Case {
    const char* choice;
    const char* automated;  // "" for nothing
    const char* shown;
  };
  const Case cases[] = {
      {"keys down,down,return", "0.200000", "Highpass"},
      {"keys down,return", "0.000000", "Lowpass"},
      {"choose 0", "0.000000", "Lowpass"},
      {"choose 5/1", "0.800000", "Peak"},  // the second entry of the sub-menu
      {"choose 2", "", "Bandpass"},        // greyed: the pop-up stays open until the editor closes
      {"press escape", "", "Bandpass"},
      {"click 300,127", "", "Bandpass"},   // outside the pop-up, on nothing of the editor
  };
  for (const Case& c : cases) {
    Scratch scratch;
    const Outcome run = runGallery({"--param", "9=0.4"}, {"click 114,359", c.choice}, scratch);
    ASSERT_EQ(run.status, 0u) << c.choice << "\n" << run.err;
    EXPECT_EQ(linesStarting(run, "  begin-edit 9"), 1u) << c.choice << "\n" << run.out;
    EXPECT_EQ(linesStarting(run, "  end-edit 9"), 1u) << c.choice << "\n" << run.out;
    const std::vector<std::string> expected =
        *c.automated ? std::vector<std::string>{c.automated} : std::vector<std::string>{};
    EXPECT_EQ(automated(run, 9), expected) << c.choice << "\n" << run.out;
    EXPECT_TRUE(contains(run.lineStarting("parameter 9"), std::string("\"") + c.shown + "\"")) << c.choice;
  }
}

// Where the band menu's pop-up shows its items: "  item I: X,Y W x H".
std::vector<std::vector<int>> itemsOf(const std::vector<std::string>& lines) {
  std::vector<std::vector<int>> items;
  for (const std::string& line : lines) {
    int index = 0, x = 0, y = 0, w = 0, h = 0;
    if (std::sscanf(line.c_str(), "  item %d: %d,%d %d x %d", &index, &x, &y, &w, &h) == 5) items.push_back({x, y, w, h});
  }
  return items;
}

// The band menu's pop-up is drawn by the gallery's scheme: items 18 high
// in its background, the selected one in its selection colour with text
// in its selected text colour, and a dot for each tick, which a choice
// toggles. The band current at the opening of the editor starts ticked.
TEST(Gallery, BandMenuPopUpIsDrawnByItsSchemeAndAChoiceTogglesItsTick) {
  Scratch scratch;
  const std::string selecting = scratch.path("selecting.png"), ticked = scratch.path("ticked.png"),
                    unticked = scratch.path("unticked.png");
  const Outcome run = runGallery(
      {}, {"click 284,359", "keys down,down", "menu-snapshot " + selecting, "press return", "click 284,359",
           "menu-snapshot " + ticked, "choose 1", "click 284,359", "menu-snapshot " + unticked, "press escape"},
      scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  EXPECT_EQ(automated(run, 10), (std::vector<std::string>{"0.333333", "0.333333"})) << run.out;
  EXPECT_EQ(linesStarting(run, "  end-edit 10"), 3u) << run.out;
  EXPECT_TRUE(startsWith(run.lineStarting("parameter 10"), "parameter 10 \"Band\" 0.333333 \"Mid\"")) << run.out;

  const auto items = itemsOf(block(run, "action 3: menu-snapshot " + selecting));
  ASSERT_EQ(items.size(), 4u) << run.out;
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i][3], 18) << i;
    if (i > 0) {
      EXPECT_EQ(items[i][1], items[i - 1][1] + 18) << i;
    }
  }
  const unsigned long paper = 0xFAFAF5, panel = 0x14183C, ink = 0x000141, orange = 0xFF8C00;
  // The dot of a tick, 8 pixels wide from 6 pixels in, 4 down.
  auto dot = [&](const Picture& picture, size_t item) { return picture.at(items[item][0] + 10, items[item][1] + 8); };
  auto inks = [&](const Picture& picture, size_t item, unsigned long colour) {
    size_t count = 0;
    for (int y = items[item][1]; y < items[item][1] + 18; ++y)
      for (int x = items[item][0] + 18; x < items[item][0] + items[item][2]; ++x) count += picture.at(x, y) == colour;
    return count;
  };
  const Picture first = readPng(selecting), second = readPng(ticked), third = readPng(unticked);
  ASSERT_FALSE(first.rgb.empty() || second.rgb.empty() || third.rgb.empty());
  EXPECT_EQ(dot(first, 0), ink) << "Low, current at the opening";
  EXPECT_EQ(dot(first, 1), panel) << "Mid, selected, unticked";
  EXPECT_EQ(first.at(items[1][0] + items[1][2] - 2, items[1][1] + 1), panel);
  EXPECT_GT(inks(first, 1, orange), 0u) << "the selected text";
  EXPECT_EQ(first.at(items[2][0] + items[2][2] - 2, items[2][1] + 1), paper);
  EXPECT_GT(inks(first, 2, ink), 0u);
  EXPECT_EQ(dot(second, 1), ink) << "Mid, chosen once";
  EXPECT_EQ(dot(third, 1), paper) << "Mid, chosen twice";
  EXPECT_EQ(dot(third, 0), ink);
}

TEST(Gallery, PassesItsAudioThroughUnchanged) {
  testhost::LoadedEffect gallery(kGallery);
  float left[64], right[64], outLeft[64], outRight[64];
  for (int i = 0; i < 64; ++i) {
    left[i] = std::sin(0.1f * static_cast<float>(i));
    right[i] = -0.5f * left[i];
  }
  float* inputs[] = {left, right};
  float* outputs[] = {outLeft, outRight};
  gallery.effect()->processReplacing(gallery.effect(), inputs, outputs, 64);
  for (int i = 0; i < 64; ++i) {
    EXPECT_EQ(testhost::bitsOf(outLeft[i]), testhost::bitsOf(left[i]));
    EXPECT_EQ(testhost::bitsOf(outRight[i]), testhost::bitsOf(right[i]));
  }
}

TEST(Gallery, SnapshotEqualsTheReadmePictureAndTheGalleryValidates) {
  Scratch scratch;
  const std::string shot = scratch.path("gallery.png");
  const Outcome run = runGallery({"--snapshot", shot}, {}, scratch);
  ASSERT_EQ(run.status, 0u) << run.err;
  const Picture fresh = readPng(shot);
  const Picture reference = readPng(sourcePath("../../docs/gallery.png"));
  ASSERT_EQ(fresh.width, reference.width);
  ASSERT_EQ(fresh.height, reference.height);
  EXPECT_EQ(differingPixels(fresh, reference), 0u);

  const Outcome validated = plughost({"validate", kGallery}, scratch);
  EXPECT_EQ(validated.status, 0u) << validated.out;
}

}  // namespace
