#include <gtest/gtest.h>

#include <algorithm>
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

TEST_F(Sending, TargetFollowsEveryWindowButThePalette) {
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
    // The same changes told by the system's events instead.
    Palette by_events(desktop);
    for (const Tick& tick : ticks) {
        by_events.foreground_changed(tick.foreground);
        EXPECT_EQ(by_events.target, tick.expected_target) << tick.foreground;
    }
}

TEST_F(Sending, ClickActivatesDispatchesWaitsThenTypes) {
    palette.target = 0x200;
    palette.send_key(0);
    const std::vector<std::string> expected = {"set_foreground 512", "dispatch_pending_messages",
                                               "wait 512", "type"};
    EXPECT_EQ(desktop.calls, expected);
    EXPECT_EQ(desktop.typed, std::vector<std::u16string>{u"縣"});
}

// The click left the target in front: it is typed into at once, and the palette's pending
// messages (a click after this one among them) wait until after the typing.
TEST_F(Sending, ATargetStillInFrontIsTypedIntoAtOnce) {
    palette.target = 0x200;
    desktop.foreground = 0x200;
    palette.select_group(3);  // 圈圈: three pages
    desktop.calls.clear();
    desktop.pending.emplace_back([this] { palette.next_page(); });
    palette.send_key(6);
    EXPECT_EQ(desktop.calls, std::vector<std::string>{"type"});
    EXPECT_EQ(desktop.typed, std::vector<std::u16string>{palette.table.key_text(1, 3, 6)});
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

// Clicks dispatched while a key is delivered (by the activation's message pumping or the wait
// for the target) are delivered after it, in click order; a navigation click handled there
// still decides the items of the keys delivered after it.
TEST_F(Sending, KeysClickedDuringADeliveryTypeAfterItInClickOrder) {
    palette.target = 0x200;
    palette.select_group(3);  // 圈圈: three pages
    desktop.calls.clear();
    desktop.pending.emplace_back([this] {
        palette.send_key(7);
        // A click during the second key's own delivery queues behind the third.
        desktop.pending.emplace_back([this] { palette.send_key(9); });
    });
    desktop.pending_in_wait.emplace_back([this] {
        palette.next_page();
        palette.send_key(8);
    });
    palette.send_key(6);

    std::vector<std::u16string> expected;
    for (int key : {6, 7, 8, 9}) expected.push_back(palette.table.key_text(1, 3, 46 + key));
    EXPECT_EQ(desktop.typed, expected);  // all on page 2: the navigation came before any typing
    EXPECT_EQ(expected[0], u"\uE8B5");
    // Each key is delivered whole: activation, dispatch, wait, typing.
    const std::vector<std::string> one = {"set_foreground 512", "dispatch_pending_messages",
                                          "wait 512", "type"};
    std::vector<std::string> four;
    for (int i = 0; i < 4; ++i) four.insert(four.end(), one.begin(), one.end());
    EXPECT_EQ(desktop.calls, four);

    // The run is over: the next click is delivered at once.
    desktop.typed.clear();
    palette.send_key(7);
    EXPECT_EQ(desktop.typed, std::vector<std::u16string>{expected[1]});
}

// The wait for the target times out. With the palette in front (clicked again meanwhile) the
// key asks for the target again, a bounded number of times; with another window in front,
// the user's choice, it types there at once.
TEST_F(Sending, APaletteBackInFrontAsksForTheTargetAgain) {
    struct Case {
        WindowHandle in_front;
        std::vector<bool> activations;
        int attempts;
    };
    const std::vector<Case> cases = {
        {0x100, {false}, 2},
        {0x100, {false, false}, 3},
        {0x100, {false, false, false, false}, 3},
        {0x300, {false}, 1},
    };
    for (const Case& c : cases) {
        desktop.calls.clear();
        desktop.typed.clear();
        desktop.foreground = c.in_front;
        desktop.activations = c.activations;
        palette.target = 0x200;
        palette.send_key(0);
        EXPECT_EQ(std::count(desktop.calls.begin(), desktop.calls.end(), "set_foreground 512"),
                  c.attempts)
            << c.activations.size() << " " << c.in_front;
        EXPECT_EQ(desktop.typed, std::vector<std::u16string>{u"縣"});
    }
}

// When the target cannot take typed keys, the symbol goes to the clipboard and a notice at the
// key says so; the notice never claims a copy that failed.
struct RefusalCase {
    const char* name;
    bool elevated;
    bool typing_refused;
    bool clipboard_busy;
    bool typed_tried;
    std::u16string_view reason;
};

class Refusal : public Sending, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, TakesTheClipboardPathAndSaysSo) {
    const RefusalCase& c = GetParam();
    palette.target = 0x200;
    if (c.elevated) desktop.elevated.insert(0x200);
    desktop.typing_refused = c.typing_refused;
    desktop.clipboard_busy = c.clipboard_busy;
    palette.send_key(0);

    EXPECT_TRUE(desktop.typed.empty());
    EXPECT_EQ(std::count(desktop.calls.begin(), desktop.calls.end(), "type"),
              c.typed_tried ? 1 : 0);
    if (c.clipboard_busy) {
        EXPECT_FALSE(desktop.clipboard.has_value());
    } else {
        EXPECT_EQ(desktop.clipboard, u"縣");
    }
    ASSERT_EQ(desktop.key_notices.size(), 1U);
    const auto& notice = desktop.key_notices[0];
    EXPECT_EQ(notice.key, 0);
    EXPECT_EQ(notice.title, u"無法直接輸入");
    EXPECT_NE(notice.text.find(c.reason), std::u16string::npos) << c.name;
    EXPECT_EQ(notice.text.find(u"已複製") != std::u16string::npos, !c.clipboard_busy) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Targets, Refusal,
    ::testing::Values(RefusalCase{"elevated", true, false, false, false, u"系統管理員"},
                      RefusalCase{"elevated_busy", true, false, true, false, u"系統管理員"},
                      RefusalCase{"shortfall", false, true, false, true, u"拒絕"},
                      RefusalCase{"shortfall_busy", false, true, true, true, u"拒絕"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(Sending, ATargetThatTakesTypingGetsNoNotice) {
    palette.target = 0x200;
    desktop.elevated.insert(0x300);  // another program runs as administrator
    palette.send_key(0);
    EXPECT_EQ(desktop.typed, std::vector<std::u16string>{u"縣"});
    EXPECT_FALSE(desktop.clipboard.has_value());
    EXPECT_TRUE(desktop.key_notices.empty());
}

// A right click copies the key's send string, types nothing and activates nothing.
TEST_F(Sending, RightClickCopiesTheSendString) {
    palette.target = 0x200;
    palette.select_group(3);
    palette.next_page();
    desktop.calls.clear();
    palette.copy_key(6);
    EXPECT_EQ(desktop.clipboard, u"\uE8B5");
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{"copy", "notice"}));
    ASSERT_EQ(desktop.key_notices.size(), 1U);
    EXPECT_EQ(desktop.key_notices[0].key, 6);
    EXPECT_EQ(desktop.key_notices[0].title, u"已複製");
    EXPECT_EQ(desktop.key_notices[0].text, u"\uE8B5");
}

TEST_F(Sending, RightClickOnAnEmptyKeyLeavesTheClipboard) {
    desktop.clipboard = u"the user's";
    palette.copy_key(44);  // 地址 has 44 keys
    EXPECT_EQ(desktop.clipboard, u"the user's");
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_TRUE(desktop.key_notices.empty());
}

TEST_F(Sending, RightClickWithTheClipboardHeldSaysItFailed) {
    desktop.clipboard_busy = true;
    palette.copy_key(0);
    ASSERT_EQ(desktop.key_notices.size(), 1U);
    EXPECT_EQ(desktop.key_notices[0].title, u"無法複製");
    EXPECT_EQ(desktop.key_notices[0].text.find(u"已複製"), std::u16string::npos);
}

TEST_F(Sending, ClickWithoutAnyTargetStillTypes) {
    palette.send_key(1);
    EXPECT_EQ(desktop.calls.front(), "set_foreground 0");
    EXPECT_EQ(desktop.typed, std::vector<std::u16string>{u"市"});
}

}  // namespace
}  // namespace quillaro
