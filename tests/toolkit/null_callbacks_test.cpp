// The callback layer under the null binding: opening and its fallback, the handler tables and
// their dispatch, keys, the cursor and Escape; the offscreen context it does not have.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/toolkit/null_test_support.h"

namespace toolkit_test {
namespace {

using namespace toolkit;

TEST_F(NullToolkit, OpenPassesPlacementAndModeAndSetsTheOpeningState) {
    openProgramWindow();
    EXPECT_EQ(record().opens, 1);
    EXPECT_EQ(record().openMode, 0x102u);
    EXPECT_FALSE(record().openDefaultPosition);
    EXPECT_EQ(record().openX, 50);
    EXPECT_EQ(record().openY, 10);
    EXPECT_EQ(record().openWidth, 400);
    EXPECT_EQ(record().openHeight, 400);
    EXPECT_STREQ(record().title, "test");
    EXPECT_TRUE(record().openingState);
    EXPECT_FALSE(record().frontBuffer);
    EXPECT_EQ(record().boxes, 0);
    EXPECT_NE(getWindowHandle(), 0u);
}

TEST_F(NullToolkit, TitleChangesOnlyReachAnOpenWindow) {
    setWindowTitle("before");
    EXPECT_EQ(record().titleChanges, 0);
    ASSERT_EQ(openWindow("first"), 1);
    setWindowTitle("Molvane - Mode 7 of 54: 1234.56 cm**-1, amplitude 0.60");
    EXPECT_EQ(record().titleChanges, 1);
    EXPECT_STREQ(record().title, "Molvane - Mode 7 of 54: 1234.56 cm**-1, amplitude 0.60");
    null::pushClose();
    runMainLoop(nullptr);
    setWindowTitle("after");
    EXPECT_EQ(record().titleChanges, 1);
}

// Without GL there is no offscreen drawing: the context is refused through the contract with
// its reason, and nothing of the opening state is set.
TEST_F(NullToolkit, OffscreenContextIsNotAvailable) {
    const char* why = "";
    EXPECT_FALSE(openOffscreenContext(64, 64, why));
    EXPECT_EQ(std::strncmp(why, "no offscreen OpenGL: ", 21), 0) << why;
    EXPECT_FALSE(record().openingState);
    closeOffscreenContext(); // harmless without a context
}

TEST_F(NullToolkit, DefaultPlacementIsDefaultPositionAnd100By100) {
    ASSERT_EQ(openWindow("t"), 1);
    EXPECT_TRUE(record().openDefaultPosition);
    EXPECT_EQ(record().openWidth, 100);
    EXPECT_EQ(record().openHeight, 100);
    setWindowPlacement(defaultPosition, 77, 300, 200);
    EXPECT_EQ(openWindow("t"), 0) << "one window at a time";
}

TEST_F(NullToolkit, SingleBufferFallsBackToDoubleBufferDrawnIntoTheFrontBuffer) {
    null::refuseSingleBuffer(true);
    setDisplayMode(modeDepth16);
    ASSERT_EQ(openWindow("t"), 1);
    EXPECT_EQ(record().opens, 2);
    EXPECT_EQ(record().openMode, unsigned(modeDepth16 | modeDouble));
    EXPECT_EQ(record().destroyed, 1) << "the first window is discarded";
    EXPECT_EQ(record().boxes, 2) << "the failure, then the warning";
    EXPECT_STREQ(record().boxCaption, "Warning");
    EXPECT_STREQ(record().boxText, "Can't initialize a single buffer visual. Will use a double "
                                   "buffer visual instead, only drawing into the front buffer.");
    EXPECT_TRUE(record().frontBuffer);
    // The quit request of the discarded window does not end the run.
    setIdleCallback([] {
        note("idle");
        null::pushClose();
    });
    runMainLoop(noteDisplay);
    EXPECT_NE(calls.find("idle"), std::string::npos) << calls;
}

// What the failed open left behind, told on standard error as the process ends.
void tellFailedOpen() {
    const null::Record& r = null::record();
    std::fprintf(stderr, "opens %d, boxes %d, last %s: %s", r.opens, r.boxes, r.boxCaption,
                 r.boxText);
}

TEST_F(NullToolkit, FailedOpenEndsTheProcessWithStatusOneAfterItsBox) {
    null::failNextOpens(2);
    setDisplayMode(modeDepth16); // single: the fallback is tried and fails too
    EXPECT_EXIT(
        {
            std::atexit(tellFailedOpen);
            openWindow("t");
        },
        testing::ExitedWithCode(1),
        "^opens 2, boxes 2, last Error: Selecting a pixel format failed");
}

TEST_F(NullToolkit, FailedDoubleBufferedOpenIsNotRetried) {
    null::failNextOpens(1);
    setDisplayMode(0x102);
    EXPECT_EXIT(
        {
            std::atexit(tellFailedOpen);
            openWindow("t");
        },
        testing::ExitedWithCode(1), "^opens 1, boxes 1, last Error: ");
}

TEST_F(NullToolkit, MessageBoxesCanBeSwitchedOff) {
    setMessageBoxes(false);
    null::failNextOpens(1);
    setDisplayMode(0x102);
    EXPECT_EXIT(
        {
            std::atexit(tellFailedOpen);
            openWindow("t");
        },
        testing::ExitedWithCode(1), "^opens 1, boxes 0, last : ");
    setMessageBoxes(true);
}

TEST_F(NullToolkit, NoDisplayEndsTheProcessWithStatusOneAndOneLine) {
    null::setNoDisplay(true);
    EXPECT_EXIT(openWindow("t"), testing::ExitedWithCode(1), "cannot open the null display");
}

TEST_F(NullToolkit, EscapeDestroysTheWindowAndEndsTheProcessWithStatusZero) {
    openProgramWindow();
    setIdleCallback([] { null::pushKey(keyEscape, 0); });
    EXPECT_EXIT(runMainLoop(noteDisplay), testing::ExitedWithCode(0), "");
}

TEST_F(NullToolkit, MouseDispatchCallsEachEntryOncePerMatchingBitInOrder) {
    openProgramWindow();
    setMouseCallback(buttonMiddle, eventMove, noteMove);
    setMouseCallback(buttonLeft, eventMove, noteMove);
    setMouseCallback(buttonLeft | buttonRight, eventMove, noteMove); // a combination: never
    setMouseCallback(0, eventMove, noteMove);                        // no button: never
    setMouseCallback(buttonLeft, 99, noteMove);                      // no such kind: ignored
    null::pushMotion(3, 4, buttonLeft | buttonMiddle | buttonRight);
    setIdleCallback([] { null::pushClose(); });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "move 4 3 4, move 1 3 4");
}

TEST_F(NullToolkit, TablesIgnoreRegistrationsBeyondTheirCapacity) {
    openProgramWindow();
    static int pressCalls = 0;
    pressCalls = 0;
    for (int i = 0; i < 25; ++i)
        setMouseCallback(buttonLeft, eventPress, [](InputEvent*) { return ++pressCalls; });
    static int keyCalls = 0;
    keyCalls = 0;
    for (int i = 0; i < 210; ++i) setKeyCallback('k', [] { ++keyCalls; });
    null::pushButton(1, 1, buttonLeft, true);
    null::pushChar('k', 0);
    setIdleCallback([] { null::pushClose(); });
    runMainLoop(nullptr);
    EXPECT_EQ(pressCalls, 20);
    EXPECT_EQ(keyCalls, 199) << "Escape holds one of the 200 entries";
}

TEST_F(NullToolkit, LeftPressCapturesAndCallsItsHandlerOnceWithTheEvent) {
    openProgramWindow();
    static InputEvent seen{};
    static int pressCalls = 0;
    pressCalls = 0;
    setMouseCallback(buttonLeft, eventPress, [](InputEvent* e) {
        seen = *e;
        ++pressCalls;
        return 1;
    });
    null::pushButton(120, 80, buttonLeft, true);
    setIdleCallback([] { null::pushClose(); });
    runMainLoop(nullptr);
    EXPECT_EQ(pressCalls, 1);
    EXPECT_EQ(seen.type, eventPress);
    EXPECT_EQ(seen.data[0], 120);
    EXPECT_EQ(seen.data[1], 80);
    EXPECT_EQ(seen.data[3], buttonLeft);
    EXPECT_EQ(record().captures, 1);
    EXPECT_EQ(record().captureWindow, WindowHandle(0x1234));
}

TEST_F(NullToolkit, RightPressCallsNothingAndRequestsNoRedrawButCapturesUntilRelease) {
    openProgramWindow();
    setMouseCallback(buttonLeft, eventPress, notePress);
    setMouseCallback(buttonLeft, eventRelease, noteRelease);
    static int idles = 0;
    static int requestsAfterPress = -1;
    static bool capturedAfterPress = false;
    idles = 0;
    setIdleCallback([] {
        switch (++idles) {
        case 1:
            null::pushButton(10, 10, buttonRight, true);
            break;
        case 2:
            requestsAfterPress = record().redrawRequests;
            capturedAfterPress = record().captured;
            null::pushButton(10, 10, buttonRight, false);
            break;
        default:
            null::pushClose();
        }
    });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "");
    EXPECT_EQ(requestsAfterPress, 0);
    EXPECT_TRUE(capturedAfterPress);
    EXPECT_EQ(record().releases, 1);
    EXPECT_FALSE(record().captured);
}

TEST_F(NullToolkit, PositionsAreUnsigned16BitHalves) {
    openProgramWindow();
    setMouseCallback(buttonLeft, eventMove, noteMove);
    null::pushMotion(-1, -200, buttonLeft);
    null::pushMotion(65536 + 7, 9, buttonLeft);
    setIdleCallback([] { null::pushClose(); });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "move 1 65535 65336, move 1 7 9");
}

TEST_F(NullToolkit, KeysAndLettersAndDigitsReachTheirHandlersOthersNothing) {
    openProgramWindow();
    setKeyCallback('a', [] { note("a"); });
    setKeyCallback('A', [] { note("A"); });
    setKeyCallback('7', [] { note("7"); });
    setKeyCallback(keySpace, [] { note("space"); });
    setKeyCallback(keyUp, [] { note("up"); });
    setKeyCallback('!', [] { note("!"); });
    setKeyCallback(keyReturn, [] { note("return"); });
    for (int c : {'a', 'A', '7', '!', ' ', '\r', 'b'}) null::pushChar(c, 0);
    null::pushKey(keySpace, 1);
    null::pushKey(keyUp, 2);
    null::pushKey(keyReturn, 3);
    setIdleCallback([] { null::pushClose(); });
    runMainLoop(nullptr);
    EXPECT_EQ(calls, "a, A, 7, space, up, return");
}

TEST_F(NullToolkit, CursorIsRelativeToTheDrawingAreaOrigin) {
    int x = 0, y = 0;
    null::setCursorPosition(30, 40);
    getCursorInWindow(x, y);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 40);
    openProgramWindow(); // origin estimated from the placement
    null::setCursorPosition(150, 60);
    getCursorInWindow(x, y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
    null::pushMove(200, 300);
    setIdleCallback([] { null::pushClose(); });
    runMainLoop(nullptr);
    getCursorInWindow(x, y);
    EXPECT_EQ(x, -50) << "signed, outside the drawing area";
    EXPECT_EQ(y, -240);
}

} // namespace
} // namespace toolkit_test
