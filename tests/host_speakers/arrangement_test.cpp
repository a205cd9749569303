// Speaker arrangement records: the blocks an effect makes for the host, their
// sizes, and copies of speakers and whole arrangements.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "arrays.h"
#include "support/testeffect.h"

using testhost::BareEffect;

namespace {

bool allZero(const void* block, size_t size) {
  const unsigned char* bytes = static_cast<const unsigned char*>(block);
  for (size_t i = 0; i < size; ++i)
    if (bytes[i]) return false;
  return true;
}

// A speaker whose every field differs from a zeroed one and from speaker
// `seed + 1`, with a name that fills `nameLength` characters.
void fillSpeaker(PlugSpeakerProperties* s, int seed, size_t nameLength = 10) {
  s->azimuth = 0.5f + static_cast<float>(seed);
  s->elevation = -0.25f - static_cast<float>(seed);
  s->radius = 2.0f + static_cast<float>(seed);
  s->reserved = 3.5f * static_cast<float>(seed + 1);
  std::memset(s->name, 0, sizeof s->name);
  for (size_t i = 0; i < nameLength && i < sizeof s->name; ++i)
    s->name[i] = static_cast<char>('A' + (seed + static_cast<int>(i)) % 26);
  s->type = 100 + seed;
  for (size_t i = 0; i < sizeof s->future; ++i)
    s->future[i] = static_cast<char>(seed * 31 + static_cast<int>(i) + 1);
}

class Arrangements : public ::testing::Test {
 protected:
  // An arrangement of n channels built with the helpers themselves.
  PlugSpeakerArrangement* made(PlugInt32 n, PlugInt32 type) {
    PlugSpeakerArrangement* a = nullptr;
    EXPECT_TRUE(effect.allocateArrangement(&a, n));
    a->type = type;
    for (PlugInt32 i = 0; i < n; ++i) fillSpeaker(plugSpeakerAt(a, i), i);
    return a;
  }
  void release(PlugSpeakerArrangement*& a) { effect.deallocateArrangement(&a); }

  testhost::RecordingHost host;
  BareEffect effect;
  arrays::Tracker tracker;
};

}  // namespace

TEST(ArrangementLayout, PublishedSizes) {
  EXPECT_EQ(sizeof(PlugSpeakerProperties), 112u);
  EXPECT_EQ(offsetof(PlugSpeakerProperties, name), 16u);
  EXPECT_EQ(offsetof(PlugSpeakerProperties, type), 80u);
  EXPECT_EQ(offsetof(PlugSpeakerProperties, future), 84u);
  EXPECT_EQ(offsetof(PlugSpeakerArrangement, numChannels), 4u);
  EXPECT_EQ(plugArrangementSize(0), 8u);
  EXPECT_EQ(plugArrangementSize(2), 232u);
  EXPECT_EQ(plugArrangementSize(20), 8u + 20u * 112u);
}

TEST_F(Arrangements, AllocationIsOneZeroedBlockOfTheChannelsSize) {
  for (PlugInt32 n : {0, 1, 2, 8, 9, 64}) {
    SCOPED_TRACE(n);
    PlugSpeakerArrangement* a = nullptr;
    EXPECT_TRUE(effect.allocateArrangement(&a, n));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(tracker.liveCount(), 1u);
    EXPECT_EQ(tracker.sizeOf(a), plugArrangementSize(n));
    EXPECT_EQ(a->type, 0);
    EXPECT_EQ(a->numChannels, n);
    if (n > 0) {
      EXPECT_TRUE(allZero(plugSpeakerAt(a, 0), static_cast<size_t>(n) * 112u));
    }
    EXPECT_TRUE(effect.deallocateArrangement(&a));
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(tracker.liveCount(), 0u);
  }
}

TEST_F(Arrangements, AllocatingAgainReleasesTheOldBlockFirst) {
  // The new block may well reuse the old one's address: counting is what tells.
  PlugSpeakerArrangement* a = made(2, 7);
  EXPECT_TRUE(effect.allocateArrangement(&a, 3));
  EXPECT_EQ(tracker.liveCount(), 1u);
  EXPECT_EQ(tracker.sizeOf(a), plugArrangementSize(3));
  EXPECT_EQ(a->numChannels, 3);
  EXPECT_EQ(a->type, 0);
  EXPECT_TRUE(allZero(plugSpeakerAt(a, 0), 3 * 112u));
  release(a);
}

TEST_F(Arrangements, NegativeChannelCountsAreRefusedAndChangeNothing) {
  for (PlugInt32 n : {-1, -2, std::numeric_limits<PlugInt32>::min()}) {
    SCOPED_TRACE(n);
    PlugSpeakerArrangement* none = nullptr;
    EXPECT_FALSE(effect.allocateArrangement(&none, n));
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(tracker.liveCount(), 0u);

    PlugSpeakerArrangement* kept = made(2, 5);
    PlugSpeakerArrangement* before = kept;
    EXPECT_FALSE(effect.allocateArrangement(&kept, n));
    EXPECT_EQ(kept, before);
    EXPECT_TRUE(tracker.isLive(kept));
    EXPECT_EQ(kept->numChannels, 2);
    release(kept);
  }
}

TEST_F(Arrangements, ImpossibleSizesFailAsAllocationsWithNothingLeft) {
  PlugSpeakerArrangement* a = made(1, 1);
  EXPECT_THROW(effect.allocateArrangement(&a, std::numeric_limits<PlugInt32>::max()),
               std::bad_alloc);
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(tracker.liveCount(), 0u);
}

TEST_F(Arrangements, ReleasingNothingIsFine) {
  PlugSpeakerArrangement* a = nullptr;
  EXPECT_TRUE(effect.deallocateArrangement(&a));
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(tracker.liveCount(), 0u);
}

TEST_F(Arrangements, SpeakerCopiesCarryEveryFieldAndCutLongNames) {
  PlugSpeakerProperties from, to;
  fillSpeaker(&from, 3, 64);  // a full name field, no terminator in it
  std::memset(&to, 0x5A, sizeof to);
  EXPECT_TRUE(effect.copySpeaker(&to, &from));
  EXPECT_EQ(std::string(to.name), std::string(from.name, 63));
  EXPECT_EQ(to.name[63], 0);
  EXPECT_EQ(to.azimuth, from.azimuth);
  EXPECT_EQ(to.elevation, from.elevation);
  EXPECT_EQ(to.radius, from.radius);
  EXPECT_EQ(to.reserved, from.reserved);
  EXPECT_EQ(to.type, from.type);
  EXPECT_EQ(std::memcmp(to.future, from.future, sizeof to.future), 0);

  fillSpeaker(&from, 4, 5);
  EXPECT_TRUE(effect.copySpeaker(&to, &from));
  EXPECT_STREQ(to.name, from.name);
  EXPECT_EQ(std::memcmp(&to, &from, sizeof to), 0);  // the rest of the name is cleared
}

TEST_F(Arrangements, SpeakerCopiesNeedBothEnds) {
  PlugSpeakerProperties s, before;
  fillSpeaker(&s, 1);
  before = s;
  EXPECT_FALSE(effect.copySpeaker(&s, nullptr));
  EXPECT_FALSE(effect.copySpeaker(nullptr, &s));
  EXPECT_EQ(std::memcmp(&s, &before, sizeof s), 0);
}

TEST_F(Arrangements, MatchingMakesAByteForByteCopy) {
  PlugSpeakerArrangement* from = made(6, 42);
  PlugSpeakerArrangement* to = nullptr;
  EXPECT_TRUE(effect.matchArrangement(&to, from));
  ASSERT_NE(to, nullptr);
  EXPECT_NE(to, from);
  EXPECT_EQ(tracker.sizeOf(to), plugArrangementSize(6));
  EXPECT_EQ(std::memcmp(to, from, plugArrangementSize(6)), 0);
  release(to);
  release(from);
}

TEST_F(Arrangements, MatchingReplacesTheOldDestination) {
  PlugSpeakerArrangement* from = made(2, 3);
  PlugSpeakerArrangement* to = made(9, 8);
  EXPECT_TRUE(effect.matchArrangement(&to, from));
  EXPECT_EQ(tracker.liveCount(), 2u);
  EXPECT_EQ(tracker.sizeOf(to), plugArrangementSize(2));
  EXPECT_EQ(to->numChannels, 2);
  EXPECT_EQ(std::memcmp(to, from, plugArrangementSize(2)), 0);
  release(to);
  release(from);
}

TEST_F(Arrangements, MatchingNamesThatFillTheirFieldTerminatesThem) {
  PlugSpeakerArrangement* from = made(2, 1);
  fillSpeaker(plugSpeakerAt(from, 1), 9, 64);
  PlugSpeakerArrangement* to = nullptr;
  EXPECT_TRUE(effect.matchArrangement(&to, from));
  EXPECT_EQ(plugSpeakerAt(to, 1)->name[63], 0);
  EXPECT_EQ(std::string(plugSpeakerAt(to, 1)->name), std::string(plugSpeakerAt(from, 1)->name, 63));
  release(to);
  release(from);
}

TEST_F(Arrangements, MatchingWithoutASourceLeavesTheDestination) {
  PlugSpeakerArrangement* to = made(2, 3);
  PlugSpeakerArrangement* before = to;
  EXPECT_FALSE(effect.matchArrangement(&to, nullptr));
  EXPECT_EQ(to, before);
  EXPECT_TRUE(tracker.isLive(to));
  release(to);
}

TEST_F(Arrangements, MatchingAnArrangementToItselfKeepsIt) {
  PlugSpeakerArrangement* a = made(3, 4);
  PlugSpeakerArrangement* same = a;
  EXPECT_TRUE(effect.matchArrangement(&a, same));
  EXPECT_EQ(a, same);
  EXPECT_TRUE(tracker.isLive(a));
  EXPECT_EQ(a->numChannels, 3);
  EXPECT_EQ(plugSpeakerAt(a, 2)->type, 102);
  release(a);
}

TEST_F(Arrangements, MatchingASourceWithANegativeCountFails) {
  PlugSpeakerArrangement* bad = made(0, 1);
  bad->numChannels = -4;
  PlugSpeakerArrangement* to = made(1, 1);
  EXPECT_FALSE(effect.matchArrangement(&to, bad));
  EXPECT_EQ(to, nullptr);
  EXPECT_EQ(tracker.liveCount(), 1u);
  bad->numChannels = 0;
  release(bad);
}

namespace {

// An effect whose speaker copies refuse one speaker: the match goes through
// the effect's own operations and stops at the refusal.
class PickyEffect : public BareEffect {
 public:
  bool copySpeaker(PlugSpeakerProperties* to, PlugSpeakerProperties* from) override {
    ++copies;
    return from->type == 101 ? false : BareEffect::copySpeaker(to, from);
  }
  int copies = 0;
};

}  // namespace

TEST_F(Arrangements, MatchingStopsWhenASpeakerCopyIsRefused) {
  PickyEffect picky;
  PlugSpeakerArrangement* from = made(4, 2);
  PlugSpeakerArrangement* to = nullptr;
  EXPECT_FALSE(picky.matchArrangement(&to, from));
  EXPECT_EQ(picky.copies, 2);
  ASSERT_NE(to, nullptr);
  EXPECT_EQ(to->type, 2);
  EXPECT_EQ(to->numChannels, 4);
  release(to);
  release(from);
}

TEST(ArrangementRequests, TheDefaultAnswerIsNoArrangement) {
  testhost::RecordingHost host;
  BareEffect effect;
  PlugSpeakerArrangement dummy;
  PlugSpeakerArrangement* input = &dummy;
  PlugSpeakerArrangement* output = &dummy;
  EXPECT_EQ(effect.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<PlugIntPtr>(&input),
                            &output),
            0);
  EXPECT_EQ(input, nullptr);
  EXPECT_EQ(output, nullptr);
  EXPECT_EQ(effect.dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<PlugIntPtr>(&dummy),
                            &dummy),
            0);
}
