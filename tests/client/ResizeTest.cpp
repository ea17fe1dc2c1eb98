// A running game whose window changes its size draws as one started at that size.
#include "ClientFixture.h"
#include "ScriptedUser.h"

namespace {

struct Table {
    int w, h;
};

// Plays to a pick and picks the tile (its ghost and drop boxes show), the window resized
// before the pick or after it; the window's surface then.
QImage pickAndDraw(ClientWindows& w, bool resizeBeforePick, Table resized) {
    client::TForm1& main = w.main();
    platform::SetFixedSeed(11);
    playToAPick(main);
    const auto resize = [&] {
        main.resize(resized.w, resized.h);
        QCoreApplication::processEvents();
    };
    if (resizeBeforePick) resize();
    ScriptedUser user{main};
    const int i = user.fittingTile();
    main.FormMouseDown(user.slotCentre(i).x(), user.slotCentre(i).y());
    if (!resizeBeforePick) resize();
    return main.Surface().ToQImage().copy();
}

} // namespace

TEST(Resize, ARunningGameDrawsAsOneStartedAtTheNewSize) {
    struct Case {
        const char* name;
        Table start, resized;
        bool resizeBeforePick;
    };
    const Case cases[] = {
        {"shrunk to 800 x 600, then a tile picked", {1400, 1000}, {800, 600}, true},
        {"shrunk to 1024 x 700 with a tile picked", {1400, 1000}, {1024, 700}, false},
        {"grown to 1280 x 960, then a tile picked", {800, 600}, {1280, 960}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage resized, started;
        {
            ClientWindows w(true, c.start.w, c.start.h);
            resized = pickAndDraw(w, c.resizeBeforePick, c.resized);
        }
        {
            // Started at the new size; a window resized after the pick is compared with the
            // same state painted afresh.
            ClientWindows w(true, c.resized.w, c.resized.h);
            started = pickAndDraw(w, true, c.resized);
            if (!c.resizeBeforePick) w.main().FormPaint();
            started = w.main().Surface().ToQImage().copy();
        }
        ASSERT_EQ(resized.size(), started.size());
        int differ = 0;
        for (int y = 0; y < resized.height(); ++y)
            for (int x = 0; x < resized.width(); ++x) differ += resized.pixel(x, y) != started.pixel(x, y);
        EXPECT_EQ(differ, 0) << "pixels that differ";
    }
}
