#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace tarvelo {

// The last resort for an error no handler expects: the first one is reported
// in Spanish, in a modal box titled with the program's title, and then the
// program ends at once with status 3. Anything raised later, the report's own
// errors included, adds nothing for the user and is not reported.
void reportUntrappedError(const QString &detail);

// How the program ends after the report (at once, by default). Tests replace
// it while the object lives; each replacement starts with nothing reported.
class ScopedTerminator {
public:
    explicit ScopedTerminator(std::function<void(int)> terminate);
    ~ScopedTerminator();
    ScopedTerminator(const ScopedTerminator &) = delete;
    ScopedTerminator &operator=(const ScopedTerminator &) = delete;

private:
    std::function<void(int)> m_previous;
    bool m_previousReported;
};

inline constexpr int kUntrappedErrorExitCode = 3;

// Runs an event handler so that no exception ever crosses Qt's event loop.
// False when the handler failed: the caller then does nothing more.
template<typename Handler> bool runGuarded(Handler &&handler) noexcept
{
    try {
        handler();
        return true;
    } catch (const std::exception &error) {
        reportUntrappedError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportUntrappedError(QString());
    }
    return false;
}

} // namespace tarvelo
