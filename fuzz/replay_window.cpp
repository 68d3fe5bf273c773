// Plays the window sessions kept in the given files and folders, as the fuzz
// target does but without libFuzzer, so that every find stays fixed under any
// compiler. With --describe, prints each session's actions instead; with
// --random COUNT, plays COUNT seeded sessions of 20 random actions and prints
// how many a second (the fuzz target's speed, without libFuzzer's own work).

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <random>
#include <vector>

#include "windowsession.h"

namespace {

QStringList sessionFiles(const QStringList &arguments)
{
    QStringList files;
    for (const QString &argument : arguments) {
        const QFileInfo info(argument);
        if (!info.isDir()) {
            files << argument;
            continue;
        }
        for (const QFileInfo &entry : QDir(argument).entryInfoList(QDir::Files, QDir::Name))
            files << entry.filePath();
    }
    return files;
}

int playRandomSessions(int count)
{
    constexpr std::size_t kActions = 20;
    std::mt19937 random(20261209);
    std::vector<std::uint8_t> bytes(256);
    std::size_t actions = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        for (std::uint8_t &byte : bytes)
            byte = std::uint8_t(random());
        actions += tarvelo::fuzzing::playSession(bytes.data(), bytes.size(), kActions);
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    std::printf("%d sessions, %.1f actions each, in %.2f s: %.0f sessions a second\n", count, double(actions) / count,
                seconds, count / seconds);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool describe = arguments.removeAll(QStringLiteral("--describe")) > 0;
    if (arguments.size() == 2 && arguments[0] == QLatin1String("--random")) {
        tarvelo::fuzzing::prepareApplication();
        return playRandomSessions(arguments[1].toInt());
    }
    if (arguments.isEmpty()) {
        std::fputs("usage: replay_window [--describe] FILE-OR-FOLDER... | --random COUNT\n", stderr);
        return 2;
    }
    tarvelo::fuzzing::prepareApplication();
    const QStringList files = sessionFiles(arguments);
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "replay_window: cannot read %s\n", qUtf8Printable(path));
            return 2;
        }
        const QByteArray bytes = file.readAll();
        const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
        if (describe) {
            std::printf("%s:\n%s", qUtf8Printable(path),
                        qUtf8Printable(tarvelo::fuzzing::describeSession(data, std::size_t(bytes.size()))));
            continue;
        }
        std::printf("replaying %s\n", qUtf8Printable(path));
        std::fflush(stdout);
        tarvelo::fuzzing::playSession(data, std::size_t(bytes.size()));
    }
    if (files.isEmpty()) {
        std::fputs("replay_window: no session to play\n", stderr);
        return 2;
    }
    if (!describe)
        std::printf("%lld sessions played, every promise kept\n", static_cast<long long>(files.size()));
    return 0;
}
