#!/usr/bin/env python3
"""Start-up of the program against the floor form and a bare window,
interleaved A B C A B C.

Runs xstartup for each launch and prints, per platform, the medians of the
time to first paint and of the settled resident memory, with the medians of
the per-round ratios ours/floor and ours/bare. Under X each launch gets a
virtual X server of its own, and with --window-manager that manager,
started and announced before the program starts.
"""

import argparse
import os
import statistics
import subprocess
import sys


# Waits for the manager to announce itself; twm announces nothing and is
# given a second.
MANAGER_UP = """
HOME=$(mktemp -d) "$0" >/dev/null 2>&1 &
if [ "$0" = twm ]; then sleep 1; else
    tries=100
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
        tries=$((tries - 1)); [ "$tries" -gt 0 ] || { echo "$0 did not come up" >&2; exit 1; }; sleep 0.05
    done
    sleep 0.3
fi
exec "$@"
"""


def launch(harness, platform, settle_ms, program, manager=None):
    command = [harness, platform, str(settle_ms), program]
    if manager:
        command = ['sh', '-c', MANAGER_UP, manager] + command
    if platform == 'x':
        # A fresh X server for every launch: one that fails cannot spoil the
        # rest. A session bus of its own, ended with it: without one, Qt or a
        # manager has D-Bus start one for the display, which outlives it.
        command = ['xvfb-run', '-a', '-s', '-screen 0 1024x768x24', 'dbus-run-session', '--'] + command
    run = subprocess.run(command, capture_output=True, text=True, timeout=60)
    if run.returncode != 0:
        sys.exit(f'{os.path.basename(program)}: {run.stderr.strip()}')
    out = run.stdout
    fields = dict(item.split('=') for item in out.split())
    return float(fields['paint_ms']), int(fields['rss_kib'])


def measure(build, platform, rounds, warmups, settle_ms, manager=None):
    here = os.path.join(build, 'bench', 'startup')
    harness = os.path.join(here, 'xstartup')
    if platform == 'x':
        programs = [os.path.join(build, 'app', 'tarvelo'), os.path.join(here, 'floor'), os.path.join(here, 'bare')]
    else:
        programs = [os.path.join(here, name) for name in ('tarvelo_firstpaint', 'floor_firstpaint', 'bare_firstpaint')]
    for _ in range(warmups):
        for program in programs:
            launch(harness, platform, settle_ms, program, manager)
    rows = [[launch(harness, platform, settle_ms, program, manager) for program in programs] for _ in range(rounds)]

    def median(values):
        return statistics.median(values)

    times = [median(row[i][0] for row in rows) for i in range(3)]
    rss = [median(row[i][1] for row in rows) / 1024 for i in range(3)]
    versus = [median(row[0][0] / row[i][0] for row in rows) for i in (1, 2)]
    rss_versus = [median(row[0][1] / row[i][1] for row in rows) for i in (1, 2)]
    label = f'{platform} {manager}' if manager else platform
    difference = median(row[0][0] - row[1][0] for row in rows)
    print(f'{label:13} rounds={rounds}  first paint: ours {times[0]:6.1f} ms, floor {times[1]:6.1f} ms, '
          f'bare {times[2]:6.1f} ms; ours/floor {versus[0]:.3f}, ours/bare {versus[1]:.3f}   '
          f'resident: ours {rss[0]:5.2f} MiB, floor {rss[1]:5.2f} MiB, bare {rss[2]:5.2f} MiB; '
          f'ours/floor {rss_versus[0]:.3f}, ours/bare {rss_versus[1]:.3f}; ours-floor {difference:+.1f} ms')
    sys.stdout.flush()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--build', default='build')
    parser.add_argument('--platform', choices=['x', 'offscreen'], required=True)
    parser.add_argument('--rounds', type=int, default=15)
    parser.add_argument('--warmups', type=int, default=2)
    parser.add_argument('--settle-ms', type=int, default=500)
    parser.add_argument('--window-manager', help='run each launch under this window manager (X only)')
    args = parser.parse_args()
    measure(args.build, args.platform, args.rounds, args.warmups, args.settle_ms, args.window_manager)


if __name__ == '__main__':
    main()
