// The program's message loop, run here in the driver: the handles it waits on, the key
// handling shared by the main loop and the pumping a click's delivery does, and a quit met
// while pumping that is left for the main loop.

#include <windows.h>

#include "driver/e2e.h"
#include "win32/message_loop.h"
#include "win32/unique_handle.h"

namespace e2e::cases {

void message_loop(Context& context) {
    Report& report = context.report;
    quillaro::win32::MessageLoop loop;
    const quillaro::win32::UniqueKernelHandle event(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    int signalled = 0;
    bool quit_on_signal = false;
    loop.watch(event.get(), [&] {
        ++signalled;
        ResetEvent(event.get());
        if (quit_on_signal) PostQuitMessage(7);
    });
    loop.dispatch_pending();
    report.check_equal(signalled, 1, "pumping runs the handler of a signalled handle");
    loop.dispatch_pending();
    report.check_equal(signalled, 1, "reset, the handle runs its handler no more");

    int taken = 0;
    loop.set_key_handler([&](MSG& message) {
        if (message.message != WM_APP) return false;
        ++taken;
        return true;
    });
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    loop.dispatch_pending();
    report.check_equal(taken, 1, "pumping shows each message to the key handler first");

    PostQuitMessage(3);
    loop.dispatch_pending();
    report.check_equal(loop.run(), 3, "a quit met while pumping is left for the main loop");

    quit_on_signal = true;
    SetEvent(event.get());
    report.check_equal(loop.run(), 7, "the main loop waits on the same handles");
    report.check_equal(signalled, 2, "and runs the handler once");
}

E2E_TEST(message_loop, "", "the message loop: handles it waits on, key handling, quit");

}  // namespace e2e::cases
