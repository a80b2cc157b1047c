#!/bin/bash
# run_atspi_check.sh DEMO: runs atspi_check.py against the moravine-demo program DEMO, on a
# private X display (xvfb-run) with a private session bus (dbus-run-session) and the accessibility
# bus that bus starts on demand (at-spi-bus-launcher, then at-spi2-registryd on it).
#
# Exit status: the check's own (0 passed, 1 failed), or 77 when the session bus or the
# accessibility bus cannot start, so that nothing could be checked. A missing program is a failure:
# the message names the Debian package to install.
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
self=$here/$(basename "${BASH_SOURCE[0]}")
skip=77

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# need PROGRAM PACKAGE: the program is there, or the run fails saying what to install.
need() {
    command -v "$1" >/dev/null || fail "$1 is missing: install the Debian package $2"
}

# Inside the display and the session bus: start the accessibility bus, the demo and the check.
inside() {
    local demo=$1 started=$2
    : >"$started"
    local log=$XDG_RUNTIME_DIR/demo.log

    # Asking for the accessibility bus's address starts it (D-Bus activation of org.a11y.Bus).
    local address
    if ! address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>&1) || [ -z "${address// /}" ]; then
        echo "SKIP: the accessibility bus cannot start: ${address:-no address}"
        exit $skip
    fi
    address=${address//[[:space:]]/}
    if ! dbus-send --bus="$address" --print-reply --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.GetId >/dev/null 2>&1; then
        echo "SKIP: the accessibility bus at $address does not answer"
        exit $skip
    fi

    # Qt turns its AT-SPI bridge on when the bus says a screen reader runs, as Orca says on start.
    # (QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 would force it, but then that path would go unchecked.)
    local why
    why=$(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:ScreenReaderEnabled \
        variant:boolean:true 2>&1) ||
        fail "cannot tell the accessibility bus that a screen reader runs: $why"

    "$demo" --today 2006-12-07 >"$log" 2>&1 &
    local pid=$!
    # The demo goes with the run, however the run ends.
    trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null' EXIT
    trap 'exit 1' INT TERM

    /usr/bin/python3 "$here/atspi_check.py" "$pid"
    local status=$?
    if ! kill -0 $pid 2>/dev/null; then
        echo "FAIL: the demo ended during the check; its output:"
        cat "$log"
        status=1
    elif [ $status -ne 0 ] && [ -s "$log" ]; then
        echo "-- the demo's output"
        cat "$log"
    fi
    exit $status
}

if [ "${1:-}" = --inside ]; then
    inside "$2" "$3"
fi

[ $# -eq 1 ] || { echo "usage: run_atspi_check.sh MORAVINE_DEMO" >&2; exit 2; }
demo=$1
[ -x "$demo" ] || fail "no demo program at $demo"
need xvfb-run xvfb
need xauth xauth
need dbus-run-session dbus-daemon
need dbus-send dbus-bin
need xdotool xdotool
[ -x /usr/bin/python3 ] || fail "/usr/bin/python3 is missing: install the Debian package python3"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    fail "pyatspi cannot be imported: install the Debian package python3-pyatspi"
[ -x /usr/libexec/at-spi-bus-launcher ] ||
    fail "at-spi-bus-launcher is missing: install the Debian package at-spi2-core"

if ! why=$(dbus-run-session -- true 2>&1); then
    echo "SKIP: the D-Bus session bus cannot start: ${why:-dbus-run-session failed}"
    exit $skip
fi

# Each run its own runtime folder, inherited by the buses: the sockets of the accessibility buses of
# two runs never meet, and the demo and the check leave nothing behind.
XDG_RUNTIME_DIR=$(mktemp -d) || fail "cannot make a runtime folder"
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
started=$XDG_RUNTIME_DIR/started

# xvfb-run --auto-servernum can pick the display another run takes at the same moment, and then
# its X server never starts: try again, up to three times, while the inside never began.
for attempt in 1 2 3; do
    rm -f "$started"
    xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
        dbus-run-session -- bash "$self" --inside "$demo" "$started"
    status=$?
    [ -e "$started" ] && exit $status
    echo "the X server or the session bus did not start (attempt $attempt, status $status)" >&2
    sleep 1
done
fail "no X server with a session bus could be started"
