// The scripted editor actions (--do ACTION), parsed from the command line.
#include "tools/plughost/script/actions.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <utility>

#include "plugin/aeffect.h"
#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/text.h"

namespace plughost {

namespace {

struct KeyName {
  const char* name;
  unsigned char code;
};

const KeyName kKeys[] = {
    {"up", kPlugKeyUp}, {"down", kPlugKeyDown}, {"left", kPlugKeyLeft}, {"right", kPlugKeyRight}, {"tab", kPlugKeyTab},
};

// The system's keys that `press` knows by name; letters come on top, for
// the shortcuts of a text field.
struct SystemKeyName {
  const char* name;
  unsigned short code;
};

const SystemKeyName kSystemKeys[] = {
    {"return", VK_RETURN}, {"escape", VK_ESCAPE}, {"tab", VK_TAB},   {"backspace", VK_BACK},
    {"delete", VK_DELETE}, {"home", VK_HOME},     {"end", VK_END},   {"left", VK_LEFT},
    {"right", VK_RIGHT},   {"up", VK_UP},         {"down", VK_DOWN},
};

bool startsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

// The verbs of --do, in the order the help lists them: the parser, its
// errors and the help all read this table.
struct Verb {
  const char* word;
  ActionKind kind;
  const char* syntax;
  const char* note;  // said after the syntax in the help and in errors; may be ""
};

const Verb kVerbs[] = {
    {"click", ActionKind::kClick, "click X,Y", ""},
    {"ctrl-click", ActionKind::kCtrlClick, "ctrl-click X,Y", ""},
    {"hold", ActionKind::kHold, "hold X,Y:MS", "pressed for MS, from 0 to 600000"},
    {"drag", ActionKind::kDrag, "drag X1,Y1:X2,Y2", "let go at the end, wherever it lies in the editor"},
    {"shift-drag", ActionKind::kShiftDrag, "shift-drag X1,Y1:X2,Y2", "a drag with shift held"},
    {"alt-drag", ActionKind::kAltDrag, "alt-drag X1,Y1:X2,Y2", "a drag with alt held"},
    {"wheel", ActionKind::kWheel, "wheel X,Y:NOTCHES",
     "NOTCHES from -100 to 100, not 0; positive turns away from the user"},
    {"key", ActionKind::kKey, "key [shift+]up|down|left|right|tab", "sent as effEditKeyDown"},
    {"press", ActionKind::kPress, "press [shift+][ctrl+]KEY",
     "a real key, to the window with the focus; KEY return, escape, tab, backspace, delete, home, end, left, "
     "right, up, down, or a letter a to z"},
    {"keys", ActionKind::kKeys, "keys KEY,KEY,...", "real keys one after the other, each as for press"},
    {"choose", ActionKind::kChoose, "choose ITEM[/ITEM]...",
     "a click on an item of the open pop-up menu, counted from 0 to 1023 as it shows them; each /ITEM in the "
     "sub-menu the item before opened"},
    {"type", ActionKind::kType, "type TEXT",
     "real keys, one character at a time, to the window with the focus: all after the space following "
     "\"type\", spaces kept"},
    {"wait", ActionKind::kWait, "wait MS", "MS from 0 to 600000"},
    {"snapshot", ActionKind::kSnapshot, "snapshot OUT.png", "the editor's pixels"},
    {"menu-snapshot", ActionKind::kMenuSnapshot, "menu-snapshot OUT.png", "the innermost open pop-up menu's pixels"},
};

// "SYNTAX (NOTE)", as an error expects it.
std::string expectedOf(const Verb& verb) {
  return *verb.note ? std::string(verb.syntax) + " (" + verb.note + ")" : std::string(verb.syntax);
}

// Words of `text` in lines of at most `width` characters, each begun with
// `indent`.
std::string wrapped(const std::string& text, const std::string& indent, size_t width) {
  std::string result;
  std::string line = indent;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    if (line.size() > indent.size() && line.size() + 1 + word.size() > width) {
      result += line + "\n";
      line = indent;
    }
    line += (line.size() > indent.size() ? " " : "") + word;
    start = end + 1;
  }
  return line.size() > indent.size() ? result + line + "\n" : result;
}

// A pop-up menu holds at most this many items.
constexpr long kMostMenuItems = 1024;

class ActionText {
 public:
  explicit ActionText(const std::string& text) : whole(text) {}

  [[noreturn]] void fail(const std::string& expected) const {
    throw InputError("--do: expected " + expected + ", got '" + whole + "'");
  }

  long number(const std::string& text, long low, long high, const std::string& expected) const {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != 0 || errno != 0 || value < low || value > high) fail(expected);
    return value;
  }

  EditorPoint point(const std::string& text, const std::string& expected) const {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) fail(expected);
    EditorPoint p;
    p.x = static_cast<int>(number(text.substr(0, comma), -32768, 32767, expected));
    p.y = static_cast<int>(number(text.substr(comma + 1), -32768, 32767, expected));
    return p;
  }

  // "A:B" split at its one colon.
  std::pair<std::string, std::string> pair(const std::string& text, const std::string& expected) const {
    const size_t colon = text.find(':');
    if (colon == std::string::npos || text.find(':', colon + 1) != std::string::npos) fail(expected);
    return {text.substr(0, colon), text.substr(colon + 1)};
  }

 private:
  const std::string& whole;
};

// "[shift+][ctrl+]KEY", or an empty press for a name it does not know.
KeyPress keyPress(std::string name) {
  KeyPress press;
  for (bool more = true; more;) {
    more = false;
    if (startsWith(name, "shift+")) {
      press.withShift = more = true;
      name = name.substr(6);
    } else if (startsWith(name, "ctrl+")) {
      press.withControl = more = true;
      name = name.substr(5);
    }
  }
  for (const SystemKeyName& key : kSystemKeys)
    if (name == key.name) press.systemKey = key.code;
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z')
    press.systemKey = static_cast<unsigned short>('A' + (name[0] - 'a'));
  return press;
}

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

EditorAction parseAction(const std::string& text) {
  const ActionText input(text);
  EditorAction action;
  action.text = trimmed(text);
  const size_t space = action.text.find_first_of(" \t");
  const std::string word = action.text.substr(0, space);
  const std::string argument = space == std::string::npos ? "" : trimmed(action.text.substr(space));
  // Text to type keeps its spaces, at either end too: all after the one
  // blank that ends the word.
  const std::string raw = text.substr(std::min(text.size(), text.find_first_not_of(" \t")));
  const size_t rawSpace = raw.find_first_of(" \t");
  const std::string verbatim = rawSpace == std::string::npos ? "" : raw.substr(rawSpace + 1);

  const Verb* verb = nullptr;
  for (const Verb& candidate : kVerbs)
    if (word == candidate.word) verb = &candidate;
  if (!verb) {
    std::string words;
    for (const Verb& candidate : kVerbs) words += (words.empty() ? "" : ", ") + std::string(candidate.word);
    input.fail("an action (" + words + ")");
  }
  action.kind = verb->kind;
  const std::string expected = expectedOf(*verb);

  switch (action.kind) {
    case ActionKind::kClick:
    case ActionKind::kCtrlClick:
      action.from = input.point(argument, expected);
      break;
    case ActionKind::kHold: {
      const auto parts = input.pair(argument, expected);
      action.from = input.point(parts.first, expected);
      action.milliseconds = static_cast<unsigned>(input.number(parts.second, 0, 600000, expected));
      break;
    }
    case ActionKind::kDrag:
    case ActionKind::kShiftDrag:
    case ActionKind::kAltDrag: {
      const auto ends = input.pair(argument, expected);
      action.from = input.point(ends.first, expected);
      action.to = input.point(ends.second, expected);
      break;
    }
    case ActionKind::kWheel: {
      const auto parts = input.pair(argument, expected);
      action.from = input.point(parts.first, expected);
      action.notches = static_cast<int>(input.number(parts.second, -100, 100, expected));
      if (action.notches == 0) input.fail(expected);
      break;
    }
    case ActionKind::kKey: {
      std::string name = argument;
      const std::string shift = "shift+";
      if (name.compare(0, shift.size(), shift) == 0) {
        action.modifier = kPlugModifierShift;
        name = name.substr(shift.size());
      }
      for (const KeyName& key : kKeys)
        if (name == key.name) action.virtualKey = key.code;
      if (!action.virtualKey) input.fail(expected);
      break;
    }
    case ActionKind::kPress:
    case ActionKind::kKeys: {
      const std::vector<std::string> names =
          action.kind == ActionKind::kPress ? std::vector<std::string>{argument} : split(argument, ',');
      for (const std::string& name : names) {
        action.presses.push_back(keyPress(name));
        if (!action.presses.back().systemKey) input.fail(expected);
      }
      break;
    }
    case ActionKind::kChoose: {
      for (const std::string& item : split(argument, '/'))
        action.items.push_back(static_cast<int>(input.number(item, 0, kMostMenuItems - 1, expected)));
      break;
    }
    case ActionKind::kType:
      if (verbatim.empty()) input.fail(expected);
      action.typed = verbatim;
      break;
    case ActionKind::kWait:
      action.milliseconds = static_cast<unsigned>(input.number(argument, 0, 600000, expected));
      break;
    case ActionKind::kSnapshot:
    case ActionKind::kMenuSnapshot:
      if (argument.empty()) input.fail(expected);
      action.path = argument;
      break;
  }
  return action;
}

std::string actionHelp() {
  std::string help;
  for (const Verb& verb : kVerbs) {
    help += std::string("        ") + verb.syntax + "\n";
    if (*verb.note) help += wrapped(verb.note, "          ", 78);
  }
  return help;
}

std::vector<EditorPoint> pointsOf(const EditorAction& action) {
  switch (action.kind) {
    case ActionKind::kClick:
    case ActionKind::kCtrlClick:
    case ActionKind::kHold:
    case ActionKind::kWheel:
      return {action.from};
    case ActionKind::kDrag:
    case ActionKind::kShiftDrag:
    case ActionKind::kAltDrag:
      return {action.from, action.to};
    default:
      return {};
  }
}

}  // namespace plughost
