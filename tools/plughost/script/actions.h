// The scripted actions of plughost editor (--do ACTION), as parsed from the
// command line before any plug-in is loaded.
#pragma once

#include <string>
#include <vector>

namespace plughost {

// A point in the editor's own coordinates: (0, 0) is its top-left pixel.
struct EditorPoint {
  int x = 0;
  int y = 0;
};

enum class ActionKind {
  kClick,
  kCtrlClick,
  kHold,
  kDrag,
  kShiftDrag,
  kAltDrag,
  kWheel,
  kKey,
  kPress,
  kKeys,
  kChoose,
  kType,
  kWait,
  kSnapshot,
  kMenuSnapshot,
};

// One real key press, with the modifiers held around it.
struct KeyPress {
  unsigned short systemKey = 0;  // the system's virtual key code
  bool withShift = false;
  bool withControl = false;
};

struct EditorAction {
  ActionKind kind = ActionKind::kWait;
  std::string text;  // as the user wrote it, for the report
  EditorPoint from;  // click, hold, drag start, wheel
  EditorPoint to;    // drag end
  int notches = 0;   // wheel: positive turns away from the user
  unsigned char virtualKey = 0;  // key: the interface's virtual key code
  unsigned char modifier = 0;    // key: the interface's modifier bits
  std::vector<KeyPress> presses;  // press (one), keys (one or more)
  std::vector<int> items;        // choose: an item position in each pop-up, outermost first
  std::string typed;             // type: the characters, as given
  unsigned milliseconds = 0;     // wait, hold
  std::string path;              // snapshot, menu-snapshot
};

// Throws InputError naming the action and what was expected.
EditorAction parseAction(const std::string& text);

// Every action's syntax with a word on what it does, for the usage text.
std::string actionHelp();

// The points an action puts the pointer on; none for keys, text, waits and
// snapshots.
std::vector<EditorPoint> pointsOf(const EditorAction& action);

}  // namespace plughost
