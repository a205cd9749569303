// The gallery plug-in, the toolkit's showcase, driven through plughost with
// real input: what the host hears of each control and what it shows.
#include <gtest/gtest.h>

#include <cmath>
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
