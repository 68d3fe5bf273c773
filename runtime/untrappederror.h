#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace tarvelo {

// The last resort for an error no handler expects: reports it in Spanish in a
// modal box titled with the program's title, then ends the program with a
// non-zero status. Only the first error is reported.
void reportUntrappedError(const QString &detail);

// How the program ends after the report (QCoreApplication::exit by default);
// tests replace it while the object lives.
class ScopedTerminator {
public:
    explicit ScopedTerminator(std::function<void(int)> terminate);
    ~ScopedTerminator();
    ScopedTerminator(const ScopedTerminator &) = delete;
    ScopedTerminator &operator=(const ScopedTerminator &) = delete;

private:
    std::function<void(int)> m_previous;
};

inline constexpr int kUntrappedErrorExitCode = 3;

// Runs an event handler so that no exception ever crosses Qt's event loop.
template <typename Handler>
void runGuarded(Handler &&handler) noexcept
{
    try {
        handler();
    } catch (const std::exception &error) {
        reportUntrappedError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportUntrappedError(QString());
    }
}

} // namespace tarvelo
