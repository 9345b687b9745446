#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_desktop.h"
#include "palette/palette.h"

namespace quillaro {
namespace {

class Sending : public ::testing::Test {
  protected:
    testing::FakeDesktop desktop;
    Palette palette{desktop};

    void SetUp() override {
        palette.start();
        desktop.calls.clear();
    }
};

TEST_F(Sending, TimerFollowsEveryWindowButThePalette) {
    struct Tick {
        WindowHandle foreground;
        WindowHandle expected_target;
    };
    const std::vector<Tick> ticks = {
        {0x100, 0},      // the palette in front before anything else: nothing yet
        {0x200, 0x200},  // the editor
        {0x100, 0x200},  // the user clicks the palette: the editor stays the target
        {0, 0x200},      // no window in front while the activation passes: kept
        {0x300, 0x300},  // the about window counts like any other
        {0, 0x300},      // and keeps it through a moment without a window in front
        {0x100, 0x300},  // until the next click on a key
    };
    for (const Tick& tick : ticks) {
        desktop.foreground = tick.foreground;
        desktop.calls.clear();
        palette.track_foreground();
        EXPECT_EQ(palette.target, tick.expected_target) << tick.foreground;
        // Asked once, so that the answer compared is the answer stored.
        EXPECT_EQ(desktop.calls, std::vector<std::string>{"get_foreground"}) << tick.foreground;
    }
}

TEST_F(Sending, ClickActivatesDispatchesWaitsThenTypes) {
    palette.target = 0x200;
    palette.send_key(0);
    const std::vector<std::string> expected = {"set_foreground 512", "do_events", "wait 512",
                                               "type"};
    EXPECT_EQ(desktop.calls, expected);
    EXPECT_EQ(desktop.typed, std::vector<std::u16string>{u"縣"});
}

TEST_F(Sending, ANavigationClickDuringDispatchDecidesTheItem) {
    palette.select_group(3);  // 圈圈: three pages
    desktop.pending.emplace_back([this] { palette.next_page(); });
    palette.send_key(6);
    ASSERT_EQ(desktop.typed.size(), 1U);
    EXPECT_EQ(desktop.typed[0], u"\uE8B5");  // item 52 of page 2, not item 6 of page 1
}

TEST_F(Sending, SendsTheSendStringNotTheCaption) {
    desktop.files[u"user_define_4.txt"] = "Arrows\r\nleft,right,up,down\r\n<-,->,^,v\r\n";
    Palette fresh(desktop);
    fresh.start();
    fresh.next_set();
    fresh.next_set();
    fresh.select_group(4);
    EXPECT_EQ(fresh.keys[1].caption, u"right");
    fresh.preview_key(1);
    EXPECT_EQ(fresh.preview.text, u"->");
    fresh.send_key(2);
    EXPECT_EQ(desktop.typed.back(), u"^");  // typed as it stands, never as a shortcut
}

// Hover previews the item under the key on every page, built-in multi-character items included.
struct HoverCase {
    int16_t set;
    int16_t group;
    int16_t page;
    int16_t key;
    std::u16string expected;
};

class Hover : public Sending, public ::testing::WithParamInterface<HoverCase> {};

TEST_P(Hover, PreviewsTheSendStringOfTheItem) {
    const HoverCase& c = GetParam();
    while (palette.set != c.set) palette.next_set();
    palette.select_group(c.group);
    for (int page = 1; page < c.page; ++page) palette.next_page();
    palette.preview_key(c.key);
    EXPECT_EQ(palette.preview.text, c.expected);
    palette.send_key(c.key);
    if (c.expected.empty()) {
        EXPECT_TRUE(desktop.typed.empty());
    } else {
        EXPECT_EQ(desktop.typed, std::vector<std::u16string>{c.expected});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Items, Hover,
    ::testing::Values(HoverCase{1, 5, 1, 0, u" √"}, HoverCase{1, 2, 1, 7, u"*"},
                      HoverCase{1, 2, 1, 8, u" "}, HoverCase{1, 0, 1, 44, u""},
                      HoverCase{1, 3, 2, 0, u""}, HoverCase{1, 3, 2, 6, u"\uE8B5"},
                      HoverCase{1, 3, 3, 35, u"\uE8FA"}, HoverCase{1, 3, 3, 36, u""},
                      HoverCase{2, 14, 3, 23, u"\uED52\uED53\uED54"}, HoverCase{2, 3, 5, 17, u" "},
                      HoverCase{3, 0, 1, 0, u""}));

TEST_F(Sending, PreviewStaysWhenTheGroupChanges) {
    palette.preview_key(0);
    palette.select_group(1);
    palette.next_set();
    EXPECT_EQ(palette.preview.text, u"縣");
}

TEST_F(Sending, SixthPageKeysPastTheTablePreviewAndTypeNothing) {
    std::string line;
    for (int i = 0; i < 251; ++i) line += (i > 0 ? "," : "") + std::to_string(i);
    desktop.files[u"user_define_0.txt"] = "Long\r\n" + line + "\r\n" + line + "\r\n";
    Palette fresh(desktop);
    fresh.start();
    fresh.next_set();
    fresh.next_set();
    for (int i = 0; i < 5; ++i) fresh.next_page();
    fresh.preview_key(20);
    EXPECT_EQ(fresh.preview.text, u"250");
    for (int16_t key = 21; key < 46; ++key) {
        fresh.preview_key(key);
        EXPECT_EQ(fresh.preview.text, u"");
        fresh.send_key(key);
    }
    EXPECT_TRUE(desktop.typed.empty());
}

TEST_F(Sending, ClickWithoutAnyTargetStillTypes) {
    palette.send_key(1);
    EXPECT_EQ(desktop.calls.front(), "set_foreground 0");
    EXPECT_EQ(desktop.typed, std::vector<std::u16string>{u"市"});
}

}  // namespace
}  // namespace quillaro
