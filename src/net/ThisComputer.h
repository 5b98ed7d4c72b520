// This computer's name, as the platform gives it (code page 1254).
#pragma once
#include <string>

// Read from the platform once, at the first call; empty when the platform cannot say. Callable from any thread.
const std::string& ThisComputerName();
