// One send through the message sender: the code it raised (0: none), the error's text and how long it took;
// and such a send as the main window's Gönder makes it.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "net/WsNetMsg.h"
#include "core/WinPopupFailure.h"

// The box a failed direct delivery to `to` shows, with the system's own text for its code where there is one.
inline std::string DirectDeliveryBox(const std::string& to, TWinPopupFailure failure)
{
    TSendFailure words = DirectDeliveryFailure(failure);
    words.Detail = SystemErrorText(static_cast<uint32_t>(words.Code));
    return SendFailureBox(to, words);
}

struct TSendResult {
    int32_t Code = 0;
    std::string Message; // of a failed send
    DWORD ElapsedMs = 0;
};

inline TSendResult Outcome(TWsNetMessage& sender)
{
    TSendResult result;
    const DWORD start = GetTickCount();
    try {
        sender.Send();
    } catch (const EWsNetException& e) {
        result.Code = e.ErrorCode();
        result.Message = e.Message();
    }
    result.ElapsedMs = GetTickCount() - start;
    return result;
}

// OnMessageSent follows exactly the sends that raised nothing.
inline TSendResult SendAsTheWindow(const std::string& from, const std::string& to, const std::string& text)
{
    TWsNetMessage sender(nullptr);
    int sent = 0;
    sender.OnMessageSent = [&](TObject*) { ++sent; };
    sender.MsgFrom = from;
    sender.MsgTo = to;
    sender.MsgText = text;
    const TSendResult result = Outcome(sender);
    EXPECT_EQ(sent, result.Code == 0 ? 1 : 0);
    return result;
}
