#include "untrappederror.h"

#include "messagebox.h"

#include <QCoreApplication>

namespace tarvelo {

namespace {

std::function<void(int)> &terminator()
{
    static std::function<void(int)> terminate = [](int code) { QCoreApplication::exit(code); };
    return terminate;
}

bool reporting = false;

} // namespace

void reportUntrappedError(const QString &detail)
{
    // An error raised while the first is being reported adds nothing for the user.
    if (reporting)
        return;
    reporting = true;
    QString prompt = QStringLiteral("Se produjo un error inesperado y el programa se cerrar\u00E1.");
    if (!detail.isEmpty())
        prompt += QStringLiteral("\n\nDetalle: ") + detail;
    try {
        showMessage(prompt);
    } catch (...) {
        // Ending the program matters more than the box.
    }
    terminator()(kUntrappedErrorExitCode);
    reporting = false;
}

ScopedTerminator::ScopedTerminator(std::function<void(int)> terminate)
    : m_previous(std::move(terminator()))
{
    terminator() = std::move(terminate);
}

ScopedTerminator::~ScopedTerminator()
{
    terminator() = std::move(m_previous);
}

} // namespace tarvelo
