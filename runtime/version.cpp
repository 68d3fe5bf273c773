#include "runtime/version.h"

#include "tarvelo_version.h"

namespace tarvelo {

namespace {

constexpr VersionNumbers kBuiltVersion{TARVELO_VERSION_MAJOR, TARVELO_VERSION_MINOR, TARVELO_VERSION_PATCH};
const VersionNumbers *overridden = nullptr;

} // namespace

VersionNumbers programVersion()
{
    return overridden ? *overridden : kBuiltVersion;
}

ScopedVersionOverride::ScopedVersionOverride(VersionNumbers numbers) : m_previous(overridden), m_numbers(numbers)
{
    overridden = &m_numbers;
}

ScopedVersionOverride::~ScopedVersionOverride()
{
    overridden = m_previous;
}

} // namespace tarvelo
