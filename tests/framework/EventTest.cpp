// Method-pointer events: fired only when assigned, sender first, member or callable.
#include "framework/Component.h"
#include "framework/Event.h"

#include <gtest/gtest.h>

namespace {

class TListener {
public:
    void Changed(TObject* sender) { LastSender = sender; ++Calls; }
    void Resized(TObject*, int& width) { width *= 2; }
    TObject* LastSender = nullptr;
    int Calls = 0;
};

TEST(Event, UnassignedEventDoesNothing)
{
    TNotifyEvent event;
    EXPECT_FALSE(event.Assigned());
    event(nullptr); // no handler, no effect
    event = nullptr;
    EXPECT_FALSE(event);
}

TEST(Event, MemberFunctionGetsTheSender)
{
    TListener listener;
    TComponent sender(nullptr);
    TNotifyEvent event(&listener, &TListener::Changed);
    EXPECT_TRUE(event.Assigned());
    EXPECT_EQ(event.Data(), &listener);
    event(&sender);
    EXPECT_EQ(listener.LastSender, &sender);
    event.Clear();
    event(&sender);
    EXPECT_EQ(listener.Calls, 1);
}

TEST(Event, ReferenceArgumentsComeBackToTheCaller)
{
    TListener listener;
    TEvent<TObject*, int&> event(&listener, &TListener::Resized);
    int width = 21;
    event(nullptr, width);
    EXPECT_EQ(width, 42);
    TEvent<TObject*, int&> lambda = [](TObject*, int& w) { w = 5; };
    lambda(nullptr, width);
    EXPECT_EQ(width, 5);
}

} // namespace
