#pragma once

#include <cstdint>

namespace tarvelo {

struct VersionNumbers {
    std::int16_t major = 0;
    std::int16_t minor = 0;
    std::int16_t revision = 0;
};

// The program's version numbers, from the build's one version.
VersionNumbers programVersion();

// Replaces what programVersion() answers while the object lives.
class ScopedVersionOverride {
public:
    explicit ScopedVersionOverride(VersionNumbers numbers);
    ~ScopedVersionOverride();
    ScopedVersionOverride(const ScopedVersionOverride &) = delete;
    ScopedVersionOverride &operator=(const ScopedVersionOverride &) = delete;

private:
    const VersionNumbers *m_previous;
    VersionNumbers m_numbers;
};

} // namespace tarvelo
