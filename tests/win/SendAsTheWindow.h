// One send through the message sender as the main window's Gönder makes it: the code it raised (0 after
// OnMessageSent), the error's text and how long the send took.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "components/WsNetMsg.h"

struct TSendResult {
    int32_t Code = 0;
    std::string Message; // of a failed send
    DWORD ElapsedMs = 0;
};

inline TSendResult SendAsTheWindow(const std::string& from, const std::string& to, const std::string& text)
{
    TWsNetMessage sender(nullptr);
    int sent = 0;
    sender.OnMessageSent = [&](TObject*) { ++sent; };
    sender.MsgFrom = from;
    sender.MsgTo = to;
    sender.MsgText = text;
    TSendResult result;
    const DWORD start = GetTickCount();
    try {
        sender.Send();
        EXPECT_EQ(sent, 1);
    } catch (const EWsNetException& e) {
        result.Code = e.ErrorCode();
        result.Message = e.Message();
        EXPECT_EQ(sent, 0);
    }
    result.ElapsedMs = GetTickCount() - start;
    return result;
}
