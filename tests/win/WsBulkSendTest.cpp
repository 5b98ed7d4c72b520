// A send's event handler that throws: the send still finishes and the error reaches the handler once.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "StandinFiles.h"
#include "net/WsBulkSend.h"
#include "net/WsNetMsg.h"
#include "toolkit/ExceptionHandler.h"

namespace {

enum class TThrowing { Delivered, Progress, SingleSent };

bool PumpUntil(const bool& done, DWORD timeoutMs = 10000)
{
    for (const DWORD start = GetTickCount(); !done && GetTickCount() - start < timeoutMs;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return done;
}

class ThrowingHandlerTest : public ::testing::TestWithParam<TThrowing> {
protected:
    void SetUp() override
    {
        SetNetApiLibraryNameForTesting("netapi32.dll");
        SetExceptionHandler([this](TObject*) { Shown.push_back(CurrentExceptionMessage()); });
    }
    void TearDown() override { SetExceptionHandler(nullptr); }

    TStandinFiles FFiles{standin::kLogVariable, standin::kScriptVariable, "varnel-throwing-handler-test", false};
    std::vector<std::string> Shown;
};

TEST_P(ThrowingHandlerTest, TheSendFinishesAndTheErrorIsShownOnce)
{
    bool finished = false;
    const auto fail = [] { throw Exception("the picture cannot be made"); };
    TWsBulkSender bulk(nullptr);
    TWsNetMessage single(nullptr);
    if (GetParam() == TThrowing::SingleSent) {
        single.OnMessageSent = [&](TObject*) { fail(); };
        single.OnFinished = [&](TObject*, std::exception_ptr failure) {
            EXPECT_FALSE(failure);
            finished = true;
        };
        single.MsgTo = "PC01";
        single.MsgText = "Merhaba";
        single.Start();
    } else {
        if (GetParam() == TThrowing::Delivered)
            bulk.OnDelivered = [&](TObject*, const std::string&) { fail(); };
        else
            bulk.OnProgress = [&](TObject*, const TBulkProgress&) { fail(); };
        bulk.OnFinished = [&](TObject*, const std::vector<TDeliveryResult>& results) {
            EXPECT_EQ(results.size(), 3u);
            finished = true;
        };
        bulk.Start("", "ME", "Merhaba", {"PC01", "PC02", "PC03"});
    }
    ASSERT_TRUE(PumpUntil(finished)) << "the finish never came; done " << bulk.Progress().Done << ", shown "
                                      << ::testing::PrintToString(Shown) << ", sends "
                                      << FFiles.Records("NetMessageBufferSend").size();
    EXPECT_FALSE(bulk.Busy());
    EXPECT_FALSE(single.Busy());
    EXPECT_EQ(Shown, std::vector<std::string>{"the picture cannot be made"});
}

INSTANTIATE_TEST_SUITE_P(EveryEvent, ThrowingHandlerTest,
    ::testing::Values(TThrowing::Delivered, TThrowing::Progress, TThrowing::SingleSent));

} // namespace
