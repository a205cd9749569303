// Drags onto a frame's window. Where the platform can carry a case, it goes
// through DoDragDrop on the frame's thread while another thread works the
// real mouse; the rest is asked of the drop target's own interface.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <ostream>
#include <thread>

#include "pluggui/pluggui.h"
#include "support/testwindows.h"
#include "testdrag.h"

using namespace PLUGGUI;
using namespace testwindows;
using namespace testdrag;

namespace {

// What a view reads of one item: type, size, and its bytes with the zero
// that follows them.
struct Item {
  long type;
  long size;
  std::string bytes;
  bool operator==(const Item& other) const {
    return type == other.type && size == other.size && bytes == other.bytes;
  }
};
std::ostream& operator<<(std::ostream& out, const Item& item) {
  return out << "{type " << item.type << ", size " << item.size << ", \"" << item.bytes << "\"}";
}
Item read(const void* item, long size, long type) {
  return {type, size, item ? std::string(static_cast<const char*>(item), size + 1) : std::string()};
}
const Item kNoItem{kDragUnknown, 0, ""};
Item textItem(const std::string& block) { return {kDragText, static_cast<long>(block.size()), block + '\0'}; }
Item fileItem(const std::string& path) { return {kDragFile, static_cast<long>(path.size()), path + '\0'}; }

// The item count is the container's own; a class derived from it may name it.
struct ItemCount : CDragContainer {
  static long of(CDragContainer* drag) { return drag->*(&ItemCount::itemCount); }
};

struct DragLog {
  std::string calls;          // E enter, M move (a run of moves once), L leave, D drop
  std::vector<CPoint> where;  // the pointer at each (at the last of a run of moves)
  CDragContainer* enterDrag = nullptr;
  CDragContainer* dropDrag = nullptr;
  long count = -1;
  std::vector<Item> walk;  // first, then next up to the first call that gives none
  Item again{};            // first once more
  long typeOf = 99;
  bool keep = false;                // the view keeps the container after the drop
  CDragContainer* kept = nullptr;
};

class RecordingView : public CView {
 public:
  RecordingView(const CRect& size, DragLog& log) : CView(size), log(log) {}

  void onDragEnter(CDrawContext*, CDragContainer* drag, const CPoint& where) override {
    note('E', where);
    log.enterDrag = drag;
  }
  void onDragMove(CDrawContext*, CDragContainer*, const CPoint& where) override {
    if (!log.calls.empty() && log.calls.back() == 'M')
      log.where.back() = where;
    else
      note('M', where);
  }
  void onDragLeave(CDrawContext*, CDragContainer*, const CPoint& where) override { note('L', where); }
  bool onDrop(CDrawContext*, CDragContainer* drag, const CPoint& where) override {
    note('D', where);
    log.dropDrag = drag;
    log.count = ItemCount::of(drag);
    log.walk = walk(drag);
    long size = -1;
    long type = -2;
    const void* item = drag->first(size, type);
    log.again = read(item, size, type);
    log.typeOf = drag->getType(0);
    if (log.keep) {
      drag->remember();
      log.kept = drag;
    }
    return true;
  }

  // first, then next up to the first call that gives none
  static std::vector<Item> walk(CDragContainer* drag) {
    long size = -1;
    long type = -2;
    const void* item = drag->first(size, type);
    std::vector<Item> items = {read(item, size, type)};
    for (int calls = 0; item && calls < 8; ++calls) {
      item = drag->next(size, type);
      items.push_back(read(item, size, type));
    }
    return items;
  }

 private:
  void note(char call, const CPoint& where) {
    log.calls += call;
    log.where.push_back(where);
  }
  DragLog& log;
};

// The host's client area sits at (100, 100) on the screen; the frame fills
// its top-left 200 x 150 and the view sits at (20, 20, 120, 100) in that.
constexpr DWORD kAllowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
const POINT kBesideFrame{350, 150};
const POINT kInView{150, 160};
const POINT kFurtherInView{155, 165};

struct DragOutcome {
  HRESULT result;
  DWORD effect;
  std::vector<DWORD> feedback;  // a run of one effect counts once
};

class DragOntoFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    useExecutableInstance();
    OleInitialize(nullptr);
    SetForegroundWindow(host.get());
    frame = new CFrame(CRect(0, 0, 200, 150), host.get(), nullptr);
    frame->addView(new RecordingView(CRect(20, 20, 120, 100), log));
    text.formats[CF_TEXT] = std::string("x", 2);
    pumpMessages();
  }
  void TearDown() override {
    frame->forget();
    pumpMessages();
    OleUninitialize();
  }

  // DoDragDrop here, on the frame's thread, while another thread presses the
  // left button at the first point, moves through the others and lets go.
  static DragOutcome dragAlong(IDataObject* data, const std::vector<POINT>& path) {
    TestSource source;
    std::promise<void> placed;
    std::thread hand([&source, &path, &placed] {
      // A thread's first move of the pointer opens its own connection to the
      // display, which under emulation takes longer than the drag loop
      // trusts the position it was told before asking the display: a first
      // move there, mid-drag, would be seen as a leave and an enter. So this
      // thread moves the pointer (away and back) before the drag starts.
      SetCursorPos(path[0].x + 1, path[0].y);
      SetCursorPos(path[0].x, path[0].y);
      placed.set_value();
      bool going = source.waitForSteps(2);
      sendMouse(MOUSEEVENTF_LEFTDOWN);
      going = going && source.waitForPress();
      for (size_t point = 1; going && point < path.size(); ++point) {
        SetCursorPos(path[point].x, path[point].y);
        going = source.waitForSteps(3);  // one whole step of the loop at the new place
      }
      if (!going) source.abandon();
      sendMouse(MOUSEEVENTF_LEFTUP);
    });
    placed.get_future().wait();
    pumpFor(100);
    DragOutcome outcome{E_FAIL, 0xBAD, {}};
    outcome.result = DoDragDrop(data, &source, kAllowedEffects, &outcome.effect);
    hand.join();
    pumpMessages();
    for (DWORD shown : source.feedback)
      if (outcome.feedback.empty() || outcome.feedback.back() != shown) outcome.feedback.push_back(shown);
    return outcome;
  }

  HostWindow host{100, 100, 300, 200};
  CFrame* frame = nullptr;
  DragLog log;
  TestData text;
};

TEST_F(DragOntoFrame, ADropReachesTheViewUnderThePointerAtThePointersPlace) {
  const DragOutcome outcome = dragAlong(&text, {kBesideFrame, kInView, kFurtherInView});
  EXPECT_EQ(outcome.result, DRAGDROP_S_DROP);
  EXPECT_EQ(log.calls, "EMDL");  // after the drop the container tells the view the drag left it
  EXPECT_EQ(log.where, std::vector<CPoint>({{50, 60}, {55, 65}, {55, 65}, {55, 65}}));
  EXPECT_NE(log.enterDrag, nullptr);
  EXPECT_EQ(log.enterDrag, log.dropDrag);
  EXPECT_EQ(gDragContainer, nullptr);
  // No effect beside the frame, a move over it; the drop leaves the effect
  // as the platform handed it in, the allowed ones.
  EXPECT_EQ(outcome.feedback, std::vector<DWORD>({DROPEFFECT_NONE, DROPEFFECT_MOVE}));
  EXPECT_EQ(outcome.effect, kAllowedEffects);
}

TEST_F(DragOntoFrame, LeavingTheFrameEndsTheDragWithoutADrop) {
  const DragOutcome outcome = dragAlong(&text, {kBesideFrame, kInView, kBesideFrame});
  EXPECT_EQ(log.calls, "EML");
  EXPECT_EQ(gDragContainer, nullptr);
  EXPECT_EQ(outcome.effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

// A file list is read only as far as its own block goes: one that does not
// fit is a drag of nothing known, never a read beyond the block.
TEST_F(DragOntoFrame, TheViewWalksTheDroppedItemsOfEachKindOfData) {
  const std::string block("drop me\0tail", 12);  // all of the block is the item, past its zero too
  const std::vector<std::string> files = {"C:\\first.wav", "C:\\second folder\\b.txt", "D:\\third"};
  const std::string three("C:\\a\0C:\\b\0C:\\c\0", 15);  // no empty entry closes it
  const std::string wide("C\0:\0\\\0w\0\0\0\0\0", 12);
  const std::vector<Item> none = {kNoItem};
  const struct {
    const char* name;
    std::map<CLIPFORMAT, std::string> formats;
    long count;
    std::vector<Item> walk;
    Item again;
    long typeOf;
  } cases[] = {
      {"text", {{CF_TEXT, block}}, 1, {textItem(block), kNoItem}, textItem(block), kDragText},
      {"three files", {{CF_HDROP, fileList(files)}}, 3,
       {fileItem(files[0]), fileItem(files[1]), fileItem(files[2]), kNoItem}, fileItem(files[0]), kDragFile},
      {"text and files", {{CF_TEXT, block}, {CF_HDROP, fileList(files)}}, 1, {textItem(block), kNoItem},
       textItem(block), kDragText},
      {"neither", {{CF_UNICODETEXT, std::string("w\0\0\0", 4)}}, 0, {kNoItem}, kNoItem, kDragFile},
      {"wide file list", {{CF_HDROP, fileBlock(sizeof(DROPFILES), true, wide)}}, 1, {fileItem("C:\\w"), kNoItem},
       fileItem("C:\\w"), kDragFile},
      {"list far outside", {{CF_HDROP, fileBlock(0x7ffffff0, false, three + '\0')}}, 0, none, kNoItem, kDragUnknown},
      {"list in the header", {{CF_HDROP, fileBlock(4, false, three + '\0')}}, 0, none, kNoItem, kDragUnknown},
      {"list not closed", {{CF_HDROP, fileBlock(sizeof(DROPFILES), false, three)}}, 0, none, kNoItem, kDragUnknown},
      {"wide list closed narrow", {{CF_HDROP, fileBlock(sizeof(DROPFILES), true, wide.substr(0, 11))}}, 0, none,
       kNoItem, kDragUnknown},
      {"four bytes", {{CF_HDROP, std::string("\x14\0\0\0", 4)}}, 0, none, kNoItem, kDragUnknown},
  };
  for (const auto& drag : cases) {
    SCOPED_TRACE(drag.name);
    log = DragLog();
    TestData data;
    data.formats = drag.formats;
    dragAlong(&data, {kBesideFrame, kInView});
    ASSERT_EQ(log.calls, "EMDL");
    EXPECT_EQ(log.count, drag.count);
    EXPECT_EQ(log.walk, drag.walk);
    EXPECT_EQ(log.again, drag.again);
    EXPECT_EQ(log.typeOf, drag.typeOf);
    EXPECT_EQ(data.outstanding, 0);  // every block asked for was handed back
  }
}

TEST_F(DragOntoFrame, ShellLinksNamedSoAreReportedAsTheirTargetsShortPath) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = temp + ("quillondrag" + std::to_string(GetCurrentProcessId()));
  ASSERT_EQ(folder.find('.'), std::string::npos);
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string target = folder + "\\a long target name.wave";
  CloseHandle(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  char shortTarget[MAX_PATH] = {0};
  GetShortPathNameA(target.c_str(), shortTarget, MAX_PATH);

  // All but the missing one are working links: only the name decides
  // whether one is followed.
  const std::vector<std::string> dropped = {folder + "\\shortcut.lnk", folder + "\\SHOUT.LNK",
                                            folder + "\\a.lnk.txt", folder + "\\nodot", folder + "\\missing.lnk"};
  for (size_t link = 0; link < 4; ++link) EXPECT_TRUE(saveShellLink(dropped[link], target)) << dropped[link];
  TestData data;
  data.formats[CF_HDROP] = fileList(dropped);
  dragAlong(&data, {kBesideFrame, kInView});

  EXPECT_EQ(log.walk, std::vector<Item>({fileItem(shortTarget), fileItem(shortTarget), fileItem(dropped[2]),
                                         fileItem(dropped[3]), fileItem(dropped[4]), kNoItem}));
  for (const std::string& file : dropped) DeleteFileA(file.c_str());
  DeleteFileA(target.c_str());
  RemoveDirectoryA(folder.c_str());
}

// A drag from another thread reaches the frame as one from another program
// does: through OLE's stand-ins for the data object, each handed over for
// the length of one call. A view may read the items at the drop and, with
// the container kept, after it, while the source is still there.
TEST_F(DragOntoFrame, ADragFromAnotherThreadIsReadAtTheDropAndAfter) {
  const std::vector<std::string> files = {"C:\\one.wav", "C:\\two.wav"};
  const std::vector<Item> items = {fileItem(files[0]), fileItem(files[1]), kNoItem};
  TestData data;
  data.formats[CF_HDROP] = fileList(files);
  log.keep = true;
  enum Stage { kDragging, kDropped, kReadAfter };
  std::atomic<int> stage{kDragging};
  // Each thread serves the calls OLE passes to it while it waits.
  auto waitFor = [&stage](Stage awaited) {
    while (stage != awaited) {
      pumpMessages();
      Sleep(5);
    }
  };
  const DWORD frameThread = GetCurrentThreadId();
  std::thread source([&] {
    // One input state for both threads, as for the windows of two programs
    // under one pointer: the drag's loop sees the buttons pressed over the
    // frame.
    AttachThreadInput(GetCurrentThreadId(), frameThread, TRUE);
    OleInitialize(nullptr);
    dragAlong(&data, {kBesideFrame, kInView});
    stage = kDropped;
    waitFor(kReadAfter);
    OleUninitialize();
  });
  waitFor(kDropped);
  ASSERT_NE(log.kept, nullptr);
  const std::vector<Item> after = RecordingView::walk(log.kept);
  log.kept->forget();
  stage = kReadAfter;
  source.join();
  pumpMessages();
  EXPECT_EQ(log.calls, "EMDL");
  EXPECT_EQ(log.walk, items);
  EXPECT_EQ(after, items);
  EXPECT_EQ(data.held, 0);
}

//-----------------------------------------------------------------------------
// The target's own interface, for what DoDragDrop never shows or asks: its
// reference count (the registration holds references of its own), a move
// after a leave (never sent), a drag without a data object (refused).

class DropTargetItself : public DragOntoFrame {
 protected:
  void SetUp() override {
    DragOntoFrame::SetUp();
    target = createDropTarget(frame);
    target->AddRef();
    SetCursorPos(kInView.x, kInView.y);
  }
  void TearDown() override {
    target->Release();
    DragOntoFrame::TearDown();
  }
  CDropTarget* target = nullptr;
  POINTL anywhere{0, 0};
  DWORD effect = DROPEFFECT_LINK;
};

TEST_F(DropTargetItself, QueryInterfaceCountsOnlyForTheDropTargetAndIUnknown) {
  const struct {
    const IID& iid;
    HRESULT result;
  } cases[] = {{IID_IDropTarget, S_OK},
               {IID_IUnknown, S_OK},
               {IID_IDataObject, static_cast<HRESULT>(0x80004002)},
               {IID_IMarshal, static_cast<HRESULT>(0x80004002)}};
  ULONG count = 1;
  for (const auto& query : cases) {
    void* answer = &answer;
    EXPECT_EQ(target->QueryInterface(query.iid, &answer), query.result);
    EXPECT_EQ(answer, query.result == S_OK ? static_cast<IDropTarget*>(target) : nullptr);
    if (query.result == S_OK) ++count;
  }
  EXPECT_EQ(target->Release(), count - 1);
  EXPECT_EQ(target->Release(), count - 2);
}

TEST_F(DropTargetItself, ReleaseFromOneDeletesTheTarget) {
  struct WatchedTarget : CDropTarget {
    explicit WatchedTarget(bool& deleted) : CDropTarget(nullptr), deleted(deleted) {}
    ~WatchedTarget() override { deleted = true; }
    bool& deleted;
  };
  bool deleted = false;
  CDropTarget* watched = new WatchedTarget(deleted);
  EXPECT_EQ(watched->AddRef(), 1u);
  EXPECT_EQ(watched->Release(), 0u);
  EXPECT_TRUE(deleted);
}

TEST_F(DropTargetItself, AMoveAfterALeaveLeavesTheEffectAndReachesNoView) {
  target->DragEnter(&text, MK_LBUTTON, anywhere, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
  target->DragLeave();
  ASSERT_EQ(log.calls, "EL");
  effect = DROPEFFECT_LINK;
  EXPECT_EQ(target->DragOver(MK_LBUTTON, anywhere, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(log.calls, "EL");
}

TEST_F(DropTargetItself, TheContainerHoldsTheDataObjectUntilTheDragEnds) {
  target->DragEnter(&text, MK_LBUTTON, anywhere, &effect);
  EXPECT_EQ(text.held, 1);
  target->Drop(&text, 0, anywhere, &effect);
  EXPECT_EQ(text.held, 0);
  EXPECT_EQ(log.walk, std::vector<Item>({textItem(std::string("x", 2)), kNoItem}));
}

TEST_F(DropTargetItself, AnEnterWithoutDataAnswersNoEffectAndMakesNoContainer) {
  EXPECT_EQ(target->DragEnter(nullptr, MK_LBUTTON, anywhere, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(gDragContainer, nullptr);
  EXPECT_EQ(log.calls, "");
}

}  // namespace
