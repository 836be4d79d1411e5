#include "platform/core/clock.h"
#include "platform/core/named_mapping.h"
#include "platform/core/named_mutex.h"
#include "platform/core/test_helpers/peer.h"
#include "peer_fixture.h"
#include "tools/datagen/temp_runtime.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class NamedObjectTest : public ::testing::Test {
 protected:
  datagen::TempRuntime runtime;
};

TEST_F(NamedObjectTest, MutexExistsWhileAnyHandleIsOpen) {
  auto first = plat::NamedMutex::create(u"Vocra_Reading");
  ASSERT_TRUE(first);
  EXPECT_FALSE(first->alreadyExisted());
  EXPECT_FALSE(first->owned());
  {
    auto second = plat::NamedMutex::create(u"Vocra_Reading");
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->alreadyExisted());
    auto other = plat::NamedMutex::create(u"Another");
    EXPECT_FALSE(other->alreadyExisted());
  }
  EXPECT_FALSE(first->release());  // created without ownership: nothing to release
  first.reset();
  auto again = plat::NamedMutex::create(u"Vocra_Reading");
  EXPECT_FALSE(again->alreadyExisted());
}

TEST_F(NamedObjectTest, MutexNamesMayHoldPathCharacters) {
  auto a = plat::NamedMutex::create(u"/work/bin/Orvale.exe");
  auto b = plat::NamedMutex::create(u"\\work\\bin\\Orvale.exe");
  auto c = plat::NamedMutex::create(u"/work/bin/Orvale.exe");
  ASSERT_TRUE(a && b && c);
  EXPECT_FALSE(b->alreadyExisted());  // a different name
  EXPECT_TRUE(c->alreadyExisted());
}

TEST_F(NamedObjectTest, MutexOwnershipIsExclusiveAndCounted) {
  plat::ManualClock manual;
  plat::ScopedClock use(manual);
  auto owner = plat::NamedMutex::create(u"Owned", true);
  auto waiter = plat::NamedMutex::create(u"Owned", true);  // existed: not owned by this one
  ASSERT_TRUE(owner && waiter);
  EXPECT_TRUE(owner->owned());
  EXPECT_FALSE(waiter->owned());
  EXPECT_FALSE(waiter->wait(100));
  EXPECT_TRUE(owner->wait(0));  // counts again
  EXPECT_TRUE(owner->release());
  EXPECT_FALSE(waiter->wait(0));  // still held once
  EXPECT_TRUE(owner->release());
  EXPECT_FALSE(owner->release());
  EXPECT_TRUE(waiter->wait(0));
  owner.reset();
  EXPECT_TRUE(waiter->owned());
}

TEST_F(NamedObjectTest, MutexHeldByAnotherProgramUntilItClosesOrDies) {
  PeerProgram other;
  ASSERT_TRUE(other.start("PEER_CLASS", "MutexHolder", "Vocra_Reading"));
  ASSERT_EQ(plat::sendMessage(other.hwnd, peer::kMutexOpen, 0, 0), 0);  // the peer made it
  EXPECT_TRUE(plat::NamedMutex::create(u"Vocra_Reading")->alreadyExisted());
  ASSERT_EQ(plat::sendMessage(other.hwnd, peer::kMutexClose, 0, 0), 1);
  EXPECT_FALSE(plat::NamedMutex::create(u"Vocra_Reading")->alreadyExisted());

  // Our handle open: the peer sees it existing.
  {
    auto ours = plat::NamedMutex::create(u"Vocra_Reading");
    EXPECT_EQ(plat::sendMessage(other.hwnd, peer::kMutexOpen, 0, 0), 1);
  }
  // The peer's handle alone keeps it; killing the peer frees it.
  EXPECT_TRUE(plat::NamedMutex::create(u"Vocra_Reading")->alreadyExisted());
  other.kill();
  EXPECT_FALSE(plat::NamedMutex::create(u"Vocra_Reading")->alreadyExisted());
}

TEST_F(NamedObjectTest, NewMappingIsZeroedAndSharedBetweenHandles) {
  auto first = plat::NamedMapping::create(u"Dictionary_Word", 1024);
  ASSERT_TRUE(first);
  EXPECT_FALSE(first->alreadyExisted());
  EXPECT_EQ(first->size(), 1024u);
  {
    plat::MappingView v = first->map(true);
    ASSERT_TRUE(v);
    ASSERT_EQ(v.size(), 1024u);
    for (std::size_t i = 0; i < v.size(); ++i) ASSERT_EQ(v.data()[i], 0) << i;
    std::memcpy(v.data(), u"語", 4);
  }
  auto second = plat::NamedMapping::create(u"Dictionary_Word", 16);
  ASSERT_TRUE(second);
  EXPECT_TRUE(second->alreadyExisted());
  EXPECT_EQ(second->size(), 1024u);  // the existing size holds
  plat::MappingView rv = second->map(false);
  EXPECT_EQ(std::memcmp(rv.data(), u"語", 4), 0);

  // Gone once every handle and view is closed; the next one starts zeroed again.
  first.reset();
  second.reset();
  EXPECT_EQ(std::memcmp(rv.data(), u"語", 4), 0);  // a view keeps it alive
  EXPECT_TRUE(plat::NamedMapping::create(u"Dictionary_Word", 1024)->alreadyExisted());
  rv = plat::MappingView();
  auto fresh = plat::NamedMapping::create(u"Dictionary_Word", 1024);
  EXPECT_FALSE(fresh->alreadyExisted());
  plat::MappingView fv = fresh->map(false);
  EXPECT_EQ(fv.data()[0], 0);
  EXPECT_EQ(plat::NamedMapping::create(u"Empty", 0), nullptr);
}

TEST_F(NamedObjectTest, MappingWrittenByOneProgramIsReadByAnother) {
  PeerProgram other;
  ASSERT_TRUE(other.start("PEER_CLASS", "Mapper", "Dictionary_Word"));
  ASSERT_EQ(plat::sendMessage(other.hwnd, peer::kMapWrite, 0xC0FFEE, 0), 0);  // the peer created it
  auto ours = plat::NamedMapping::create(u"Dictionary_Word", 1024);
  ASSERT_TRUE(ours);
  EXPECT_TRUE(ours->alreadyExisted());
  plat::MappingView v = ours->map(true);
  std::uint32_t value = 0;
  std::memcpy(&value, v.data(), 4);
  EXPECT_EQ(value, 0xC0FFEEu);
  value = 1234;
  std::memcpy(v.data(), &value, 4);
  EXPECT_EQ(plat::sendMessage(other.hwnd, peer::kMapRead, 0, 0), 1234);

  // The peer dies holding it; with our handle and view closed too, a new mapping is zeroed.
  other.kill();
  v = plat::MappingView();
  ours.reset();
  auto fresh = plat::NamedMapping::create(u"Dictionary_Word", 1024);
  EXPECT_FALSE(fresh->alreadyExisted());
  EXPECT_EQ(fresh->map(false).data()[0], 0);
}

}  // namespace
