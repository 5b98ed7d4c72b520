// The registered exception handler and the plain error box for the time without one.
#include "toolkit/ExceptionHandler.h"

#include <windows.h>

#include <exception>
#include <new>
#include <utility>

#include "core/Exceptions.h"
#include "core/ProgramTexts.h"
#include "core/Text.h"

namespace {

TExceptionHandler& Registered()
{
    static TExceptionHandler handler;
    return handler;
}

} // namespace

void SetExceptionHandler(TExceptionHandler handler) { Registered() = std::move(handler); }

void HandleCallbackException(TObject* Sender)
{
    if (const TExceptionHandler& handler = Registered()) {
        handler(Sender);
        return;
    }
    MessageBoxA(GetActiveWindow(), WithFullStop(CurrentExceptionMessage()).c_str(), nullptr, MB_OK | MB_ICONSTOP);
}

std::string CurrentExceptionMessage()
{
    try {
        throw;
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return OutOfMemoryText();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return UnexpectedFailureText();
    }
}
