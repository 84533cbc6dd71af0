// A frame window that records the notifications its controls send through WM_COMMAND,
// and a fixture that gives each test one, shown and in front.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/frame_window.h"

class CommandRecorder : public TestFrame {
public:
    struct Command {
        int id;
        HWND control;
        UINT code;
    };

    void OnCommand(HWND, int id, HWND control, UINT code) override
    {
        commands.push_back({id, control, code});
        if (react) {
            react(id, control, code);
        }
    }
    // The notification codes one control sent, in order.
    std::vector<UINT> CodesFrom(HWND control) const
    {
        std::vector<UINT> codes;
        for (const Command& command : commands) {
            if (command.control == control) {
                codes.push_back(command.code);
            }
        }
        return codes;
    }

    std::vector<Command> commands;
    // What the parent does with a notification, as an application's OnCommand would.
    std::function<void(int id, HWND control, UINT code)> react;
};

class ControlsOnParent : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.Create(480, 360, 40, 40));
        hwnd = parent.GetWndHandle();
        SetForegroundWindow(hwnd);
    }

    CommandRecorder parent;
    HWND hwnd = nullptr;
};
