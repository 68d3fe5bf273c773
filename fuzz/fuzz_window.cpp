// Fuzzes the main window with sequences of user actions (see windowsession.h),
// checking the window's promises after every action. At the end it says how
// many sessions and actions it played, for the speed in actions.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "windowsession.h"

namespace {

std::size_t sessions = 0;
std::size_t actions = 0;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    tarvelo::fuzzing::prepareApplication();
    std::atexit([] {
        if (sessions > 0)
            std::fprintf(stderr, "fuzz_window: %zu sessions, %zu actions (%.1f a session)\n", sessions, actions,
                         double(actions) / double(sessions));
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ++sessions;
    actions += tarvelo::fuzzing::playSession(data, size);
    return 0;
}
