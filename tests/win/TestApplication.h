// An application object like the program's, whose error box is replaced by a list the test reads, and the
// fixture of the tests that run one form of their own in it.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Application.h"

inline std::unique_ptr<TApplication> MakeTestApplication(std::vector<std::string>& errors)
{
    auto application = std::make_unique<TApplication>();
    application->Initialize();
    application->SetTitle("Varnel");
    application->OnShowException = [&errors](const std::string& text) { errors.push_back(text); };
    return application;
}

// The form is created by the application, shown, and its first messages handled before each test.
template <typename TTestForm>
class TFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App = MakeTestApplication(Errors);
        App->CreateForm(Form);
        Form->Show();
        App->ProcessMessages();
    }
    void TearDown() override { App.reset(); }

    // Handles the form's messages until `done` holds, at most timeoutMs; true when it held.
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000)
    {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(10)) {
            App->ProcessMessages();
            if (done())
                return true;
        }
        return false;
    }

    std::unique_ptr<TApplication> App;
    TTestForm* Form = nullptr;
    std::vector<std::string> Errors;
};
