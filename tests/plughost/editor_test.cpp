// plughost editor on Quillon's editor with real input: what the host hears
// of a drag, what each kind of action does, the pictures it takes, and the
// bad input it refuses.
#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "plughost/runner.h"

namespace {

using plughosttest::plughost;
using plughosttest::Outcome;
using plughosttest::Scratch;

const char* const kQuillon = "quillon.dll";

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The reference pictures lie beside this source file, which the build names
// by its full path.
std::string referencePicture(const std::string& name) {
  return (std::filesystem::path(__FILE__).parent_path() / "reference" / name).string();
}

// The lines of the report block under `heading`, up to the next heading.
std::vector<std::string> block(const Outcome& run, const std::string& heading) {
  std::vector<std::string> lines;
  bool inside = false;
  for (const std::string& line : run.outLines()) {
    if (!line.empty() && line[0] != ' ') {
      if (inside) break;
      inside = line == heading;
    } else if (inside) {
      lines.push_back(line);
    }
  }
  return lines;
}

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
};

Picture readPng(const std::string& path) {
  Picture picture;
  int channels = 0;
  unsigned char* pixels = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 3);
  if (pixels) picture.rgb.assign(pixels, pixels + static_cast<size_t>(picture.width) * picture.height * 3);
  stbi_image_free(pixels);
  return picture;
}

size_t differingPixels(const Picture& a, const Picture& b) {
  size_t count = 0;
  for (size_t i = 0; i + 2 < a.rgb.size(); i += 3)
    if (a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2]) ++count;
  return count;
}

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
// keys stay down for the whole gesture, one wheel notch is one step, keys
// reach the slider that took the focus.
TEST(PlughostEditor, EachKindOfActionMovesTheSliderAsItsInputShould) {
  struct Case {
    std::vector<std::string> actions;
    std::string parameter;  // the final report line, up to the display text
  };
  const Case cases[] = {
      {{"ctrl-click 38,100"}, "parameter 1 \"Ratio\" 0.500000 "},
      {{"shift-drag 100,226:200,226"}, "parameter 0 \"Threshol\" 0.983163 "},  // 1 - (1 - 0.831633) / 10
      {{"wheel 100,226:-2"}, "parameter 0 \"Threshol\" 0.800000 "},
      {{"click 100,226", "key left"}, "parameter 0 \"Threshol\" 0.221429 "},
      {{"click 100,226", "key shift+up"}, "parameter 0 \"Threshol\" 0.331429 "},
  };
  for (const Case& c : cases) {
    Scratch scratch;
    std::vector<std::string> args = {"editor", kQuillon};
    for (const std::string& action : c.actions) args.insert(args.end(), {"--do", action});
    const Outcome run = plughost(args, scratch);
    ASSERT_EQ(run.status, 0u) << c.actions[0] << "\n" << run.err;
    const std::string prefix = c.parameter.substr(0, 12);
    EXPECT_EQ(run.lineStarting(prefix).rfind(c.parameter, 0), 0u) << c.actions.back() << "\n" << run.out;
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
    const Picture reference = readPng(referencePicture(c.reference));
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
      {{kQuillon, "--snapshot", "OUT", "--do", "jump 10,10"}, "expected an action"},
      {{kQuillon, "--snapshot", "OUT", "--do", "drag 10,10:20"}, "expected drag X1,Y1:X2,Y2"},
      {{kQuillon, "--snapshot", "OUT", "--do", "click 320,10"}, "outside the editor (320 x 240)"},
      {{kQuillon, "--do", "click 10,10", "--snapshot", "missing/OUT"}, "cannot write"},
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
