#!/usr/bin/env bash
# Runs Corvane against the gateway simulator with a throw-away demo user: builds
# a Release build in build-demo, starts the simulator on a free port of
# 127.0.0.1 with the account demo/demo, writes a demo profile (settings, a few
# contacts and a group) into a temporary folder, and starts the program. The
# simulator is stopped and the temporary folder removed when the program exits.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run-demo: no display available (DISPLAY and WAYLAND_DISPLAY are not set)." >&2
    echo "Corvane is a desktop program: run this from a desktop session, or under a" >&2
    echo "virtual display with: xvfb-run -a bash scripts/run-demo.sh" >&2
    exit 1
fi

bash scripts/setup.sh

build=build-demo
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_SANITIZE=OFF \
    -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF >/dev/null
cmake --build "$build" --target corvane corvane-gateway corvane-demo-profile

profile=$(mktemp -d "${TMPDIR:-/tmp}/corvane-demo.XXXXXX")
gateway_pid=""
cleanup() {
    if [ -n "$gateway_pid" ] && kill -0 "$gateway_pid" 2>/dev/null; then
        kill "$gateway_pid" 2>/dev/null || true
        wait "$gateway_pid" 2>/dev/null || true
    fi
    rm -rf "$profile"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The demo user's own homes: nothing of the real user's settings or data is
# read or written. The display's authority file stays where it was found.
export XAUTHORITY="${XAUTHORITY:-$HOME/.Xauthority}"
export XDG_CONFIG_HOME="$profile/config"
export XDG_DATA_HOME="$profile/data"
export HOME="$profile/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$HOME"

# What the simulator prints (the verification codes it "texts" among it) shows
# in this terminal too.
"$build/gateway/corvane-gateway" --demo --port 0 > >(tee "$profile/gateway.log") 2>&1 &
gateway_pid=$!

# The simulator's first line says where it listens: "Listening on 127.0.0.1:<port>".
port=""
for _ in $(seq 100); do
    first=$(head -n 1 "$profile/gateway.log" 2>/dev/null || true)
    if [[ "$first" =~ ^Listening\ on\ 127\.0\.0\.1:([0-9]+) ]]; then
        port=${BASH_REMATCH[1]}
        break
    fi
    if ! kill -0 "$gateway_pid" 2>/dev/null; then break; fi
    sleep 0.1
done
if [ -z "$port" ]; then
    echo "run-demo: the gateway simulator did not start:" >&2
    cat "$profile/gateway.log" >&2
    exit 1
fi

"$build/tools/corvane-demo-profile" --port "$port"
echo "Gateway simulator on 127.0.0.1:$port, login demo, password demo."

status=0
"$build/corvane" || status=$?
exit "$status"
