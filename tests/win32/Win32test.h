#pragma once
// The base of the Win32 platform's tests: a fresh TWin32Platform installed for each test, the
// window of a control, messages sent as the system sends the user's input, and actions run
// later from inside whatever message loop is running then (a modal dialog's, a message box's).

#include "platform/win32/Win.h"

#include "platform/win32/Win32platform.h"
#include "platform/win32/Windowpeer.h"

#include "toolkit/Forms.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

class Win32Test : public ::testing::Test {
protected:
    void SetUp() override {
        Host = MakePlatform();
        Previous = InstallPlatform(Host.get());
        Application().Initialize();
    }
    void TearDown() override {
        Pump();
        // An action still waiting (a safety EndMenu ten seconds out) belongs to this test: fired
        // in a later one, it would close that test's menu.
        for (const auto& [timer, action] : Pending()) {
            ::KillTimer(nullptr, timer);
        }
        Pending().clear();
        InstallPlatform(Previous);
        Host.reset();
    }

    // The native window of control.
    static HWND HandleOf(const TWinControl& control) {
        auto* peer = dynamic_cast<TWin32Peer*>(control.Peer());
        return peer ? peer->Handle() : nullptr;
    }

    // The messages waiting now, dispatched as the message loop would.
    static void Pump() {
        MSG message{};
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                continue;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }

    static LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

    // A left click at (x, y) of window's client area, the pointer moving there first.
    static void Click(HWND window, int x, int y, WPARAM keys = 0) {
        ::SendMessageA(window, WM_MOUSEMOVE, keys, Point(x, y));
        ::SendMessageA(window, WM_LBUTTONDOWN, keys | MK_LBUTTON, Point(x, y));
        ::SendMessageA(window, WM_LBUTTONUP, keys, Point(x, y));
    }

    // A left click in the middle of a windowless control, through its parent's window.
    static void Click(const TControl& control, WPARAM keys = 0) {
        Click(HandleOf(*control.Parent()), control.Left() + control.Width() / 2,
              control.Top() + control.Height() / 2, keys);
    }

    // Runs action from inside the message loop that runs delay milliseconds from now.
    static void Later(std::function<void()> action, UINT delay = 50) {
        const UINT_PTR timer = ::SetTimer(nullptr, 0, delay, &Win32Test::Fire);
        Pending()[timer] = std::move(action);
    }

    // The platform of the test; a test may pretend another command line.
    virtual std::unique_ptr<TWin32Platform> MakePlatform() {
        return std::make_unique<TWin32Platform>();
    }

    std::unique_ptr<TWin32Platform> Host;

private:
    static std::map<UINT_PTR, std::function<void()>>& Pending() {
        static std::map<UINT_PTR, std::function<void()>> pending;
        return pending;
    }
    static void CALLBACK Fire(HWND, UINT, UINT_PTR timer, DWORD) {
        ::KillTimer(nullptr, timer);
        const auto found = Pending().find(timer);
        if (found == Pending().end()) {
            return;
        }
        const std::function<void()> action = std::move(found->second);
        Pending().erase(found);
        action();
    }

    TPlatform* Previous = nullptr;
};
