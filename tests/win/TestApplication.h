// An application object like the program's, whose error box is replaced by a list the test reads.
#pragma once
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
