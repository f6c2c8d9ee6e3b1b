// The event loop under the null binding: the first reshape, events before each idle call,
// coalesced repaints, closing and resizing, and the pacing of idle calls on the binding's clock.
#include "tests/toolkit/null_test_support.h"

namespace toolkit_test {
namespace {

using namespace toolkit;

int idles = 0;

class NullLoop : public NullToolkit {
  protected:
    void SetUp() override {
        NullToolkit::SetUp();
        idles = 0;
    }
};

TEST_F(NullLoop, FirstReshapeComesFromTheLoopWithTheRealSizeBeforeAnyFrame) {
    openProgramWindow();
    setReshapeCallback(noteReshape);
    setIdleCallback([] {
        note("idle");
        if (++idles == 2) null::pushClose();
    });
    runMainLoop(noteDisplay);
    EXPECT_EQ(calls, "reshape 400 400, display, idle, idle");
    EXPECT_EQ(getWindowHandle(), 0u);
}

TEST_F(NullLoop, WithoutAProgramReshapeTheDefaultOneRuns) {
    openProgramWindow();
    setIdleCallback([] { null::pushClose(); });
    runMainLoop(nullptr);
    EXPECT_EQ(record().defaultReshapes, 1);
    EXPECT_EQ(record().defaultReshapeWidth, 400);
}

TEST_F(NullLoop, ABurstOfMouseEventsIsHandledBeforeTheNextIdleCall) {
    openProgramWindow();
    setMouseCallback(buttonLeft, eventPress, notePress);
    setMouseCallback(buttonLeft, eventRelease, noteRelease);
    setMouseCallback(buttonLeft, eventMove, noteMove);
    setIdleCallback([] {
        note("idle");
        if (++idles == 1) {
            null::pushButton(5, 6, buttonLeft, true);
            null::pushMotion(7, 8, buttonLeft);
            null::pushButton(9, 10, buttonLeft, false);
        } else {
            null::pushClose();
        }
    });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "idle, press 1 5 6, move 1 7 8, release 1 9 10, idle");
}

TEST_F(NullLoop, HandledPressesAskForRepaintsThatCoalesceIntoOne) {
    openProgramWindow();
    setMouseCallback(buttonLeft, eventPress, [](InputEvent*) { return 0; });
    setMouseCallback(buttonLeft, eventMove, [](InputEvent*) { return 0; });
    setIdleCallback([] {
        note("idle");
        if (++idles == 1) {
            for (int i = 0; i < 3; ++i) {
                null::pushButton(1, 1, buttonLeft, true);
                null::pushButton(1, 1, buttonLeft, false);
            }
            null::pushMotion(2, 2, 0); // no move handler for no button: no repaint
        } else {
            null::pushClose();
        }
    });
    runMainLoop(noteDisplay);
    // The press table's handler took each press; the release table is empty.
    EXPECT_EQ(record().redrawRequests, 3);
    EXPECT_EQ(calls, "display, idle, display, idle");
}

TEST_F(NullLoop, RepaintWaitsUntilNothingElseIsQueued) {
    openProgramWindow();
    setMouseCallback(buttonLeft, eventMove, noteMove);
    setIdleCallback([] {
        note("idle");
        if (++idles == 1) {
            null::pushPaint();
            null::pushMotion(1, 1, buttonLeft);
            null::pushMotion(2, 2, buttonLeft);
        } else {
            null::pushClose();
        }
    });
    runMainLoop(noteDisplay);
    EXPECT_EQ(calls, "display, idle, move 1 1 1, move 1 2 2, display, idle");
}

TEST_F(NullLoop, ResizeReachesTheReshapeEvenAtZeroByZero) {
    openProgramWindow();
    setReshapeCallback(noteReshape);
    setIdleCallback([] {
        if (++idles == 1) {
            null::pushResize(0, 0);
            null::pushResize(640, 480);
        } else {
            null::pushClose();
        }
    });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "reshape 400 400, reshape 0 0, reshape 640 480");
    EXPECT_EQ(record().redrawRequests, 2);
}

TEST_F(NullLoop, ClosingReleasesInOrderEmptiesTheSlotsAndReturns) {
    openProgramWindow();
    setReshapeCallback(noteReshape);
    setIdleCallback([] {
        note("idle");
        null::pushClose();
        null::pushButton(1, 1, buttonLeft, true); // arrives after the close: dropped
    });
    setMouseCallback(buttonLeft, eventPress, notePress);
    runMainLoop(noteDisplay);
    EXPECT_EQ(calls, "reshape 400 400, display, idle");
    EXPECT_STREQ(record().releaseOrder, "context forget");
    EXPECT_EQ(getWindowHandle(), 0u);
    runMainLoop(noteDisplay); // no window: returns at once
    EXPECT_EQ(calls, "reshape 400 400, display, idle");
}

TEST_F(NullLoop, WithoutIdleTheLoopWaitsForEachEvent) {
    openProgramWindow();
    setMouseCallback(buttonLeft, eventPress, notePress);
    null::pushButton(3, 4, buttonLeft, true);
    null::pushClose();
    runMainLoop(noteDisplay);
    EXPECT_EQ(calls, "press 1 3 4") << "the first paint waits behind the queued events";
    EXPECT_EQ(null::queuedEvents(), 0);
}

// Frames of 5 ms wait out the rest of 1/60 s, taking an event that comes meanwhile; frames of
// 20 ms follow one another at once.
TEST_F(NullLoop, IdleCallsStartAtLeastASixtiethOfASecondApart) {
    openProgramWindow();
    setMouseCallback(buttonLeft, eventPress, notePress);
    setIdleCallback([] {
        note("idle at " + std::to_string(null::clock()));
        ++idles;
        if (idles == 2) null::pushButton(1, 2, buttonLeft, true);
        null::advanceClock(idles <= 3 ? 5000 : 20000);
        if (idles == 5) null::pushClose();
    });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "idle at 0, idle at 16666, press 1 1 2, idle at 33332, idle at 49998, "
                     "idle at 69998");
    EXPECT_EQ(record().waitedMicroseconds, 3 * (16666 - 5000));
    EXPECT_EQ(record().syncedSwapRequests, 1) << "asked for once, when the window opened";
}

// Minimised: no idle call and no timed wait until the window system has news; the loop then
// goes on where it was.
TEST_F(NullLoop, WhileTheDrawingAreaIsZeroTheLoopWaitsForEventsInsteadOfIdling) {
    openProgramWindow();
    setReshapeCallback(noteReshape);
    setIdleCallback([] {
        note("idle");
        if (++idles == 1)
            null::pushResize(0, 0);
        else
            null::pushClose();
    });
    null::setWhenBlocked([] {
        note("blocked after " + std::to_string(record().timedWaits) + " timed waits");
        if (record().blockedWaits == 2)
            null::pushResize(400, 400);
        else
            null::pushMove(10, 10);
    });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "reshape 400 400, idle, reshape 0 0, blocked after 0 timed waits, "
                     "blocked after 0 timed waits, reshape 400 400, idle");
    EXPECT_EQ(record().blockedWaits, 2);
}

} // namespace
} // namespace toolkit_test
