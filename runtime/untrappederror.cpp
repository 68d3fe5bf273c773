#include "runtime/untrappederror.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/messagebox.h"

namespace tarvelo {

namespace {

// Nothing of the program is worth running after an error nobody expected:
// the user has been told, and there is no data to save.
void endNow(int code)
{
    std::fflush(nullptr);
    std::_Exit(code);
}

std::function<void(int)> &terminator()
{
    static std::function<void(int)> terminate = endNow;
    return terminate;
}

bool reported = false;

} // namespace

void reportUntrappedError(const QString &detail)
{
    if (reported)
        return;
    reported = true;
    QString prompt = QStringLiteral("Se produjo un error inesperado y el programa se cerrará.");
    if (!detail.isEmpty())
        prompt += QStringLiteral("\n\nDetalle: ") + detail;
    try {
        showMessage(nullptr, prompt);
    } catch (...) {
        // Ending the program matters more than the box.
    }
    terminator()(kUntrappedErrorExitCode);
}

ScopedTerminator::ScopedTerminator(std::function<void(int)> terminate)
    : m_previous(std::move(terminator()))
    , m_previousReported(reported)
{
    terminator() = std::move(terminate);
    reported = false;
}

ScopedTerminator::~ScopedTerminator()
{
    terminator() = std::move(m_previous);
    reported = m_previousReported;
}

} // namespace tarvelo
