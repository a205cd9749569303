// The gallery plug-in, the toolkit's showcase, driven through plughost with
// real input: what the host hears of each control and what it shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

TEST(Gallery, TextTypedIntoTheFieldSetsItsParameterOnReturn) {
  struct Case {
    const char* typed;
    const char* parameter;
    bool automated;
  };
  const Case cases[] = {{"75", "parameter 3 \"Typed\" 0.750000 \"75\"", true},
                        {"50", "parameter 3 \"Typed\" 0.500000 \"50\"", false},    // the text it had
                        {"abc", "parameter 3 \"Typed\" 0.500000 \"50\"", false}};  // not a number
  for (const Case& c : cases) {
    Scratch scratch;
    const Outcome run =
        runGallery({}, {"click 145,127", std::string("type ") + c.typed, "press return"}, scratch);
    ASSERT_EQ(run.status, 0u) << run.err;
    EXPECT_TRUE(startsWith(run.lineStarting("parameter 3"), c.parameter)) << c.typed << "\n" << run.out;
    EXPECT_EQ(block(run, "action 1: click 145,127").front(), "  begin-edit 3") << run.out;
    const std::vector<std::string> closed = block(run, "action 3: press return");
    ASSERT_FALSE(closed.empty()) << run.out;
    EXPECT_EQ(closed.front(), "  end-edit 3") << run.out;
    EXPECT_EQ(contains(run.out, "automate 3 0.750000"), c.automated) << c.typed << "\n" << run.out;
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
