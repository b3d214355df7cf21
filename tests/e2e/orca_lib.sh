# Screen-reader steps of the end-to-end tests: the real program runs with the Orca screen
# reader, and the test waits for what Orca speaks. A test sources this file first, in place of
# e2e_lib.sh (which it sources itself), with the test's own arguments still in place:
#
#   source "$3/orca_lib.sh"
#   start_orca
#   start_program "$program"
#   wait_spoken "Выберите сложность игры"
#
# The test runs again inside a D-Bus session of its own, with a home folder of its own, so that
# the accessibility bus, Orca's settings and what it hears belong to this test alone. Where
# Orca, pyatspi or dbus-run-session is missing, the test is skipped (exit 77). With ORCA_TRACE
# set to a file, Orca writes its trace there (what it was told, what it made of it).

ORCA_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Debian's Python: pyatspi and Orca are installed for it, not for another python3 on the PATH.
ORCA_PYTHON=/usr/bin/python3

if [ -z "${ORCA_LIB_HOME:-}" ]; then
  orca_missing=()
  [ -f /usr/bin/orca ] || orca_missing+=(orca)
  "$ORCA_PYTHON" -c 'import pyatspi' 2>/dev/null || orca_missing+=(python3-pyatspi)
  command -v dbus-run-session >/dev/null || orca_missing+=(dbus-run-session)
  [ -x /usr/libexec/at-spi-bus-launcher ] || orca_missing+=(at-spi2-core)
  if [ ${#orca_missing[@]} -gt 0 ]; then
    echo "SKIP: no screen reader test without ${orca_missing[*]} (./vum setup test installs them)"
    exit 77
  fi
  ORCA_LIB_HOME=$(mktemp -d)
  mkdir -m 700 "$ORCA_LIB_HOME/run"
  # Settings stay in memory (GSETTINGS_BACKEND), and Orca finds no speech synthesizer to start
  # (SPEECHD_CMD): it still says everything, to the file, and leaves no server behind.
  export ORCA_LIB_HOME HOME=$ORCA_LIB_HOME XDG_CONFIG_HOME=$ORCA_LIB_HOME/config \
    XDG_CACHE_HOME=$ORCA_LIB_HOME/cache XDG_RUNTIME_DIR=$ORCA_LIB_HOME/run GSETTINGS_BACKEND=memory \
    SPEECHD_CMD=/bin/false
  orca_status=0
  dbus-run-session -- bash "$0" "$@" || orca_status=$?
  rm -rf "$ORCA_LIB_HOME"
  exit "$orca_status"
fi

# shellcheck source=e2e_lib.sh
source "$ORCA_LIB_DIR/e2e_lib.sh"

ORCA_SPEECH=$E2E_WORK/orca-speech.txt
ORCA_HEARD=0  # lines of ORCA_SPEECH that earlier waits have gone past

orca_clean_up() {
  [ -z "${ORCA_PID:-}" ] || kill "$ORCA_PID" 2>/dev/null || true
  e2e_clean_up
}
trap orca_clean_up EXIT

# start_orca: starts Orca and waits until it listens (it says that it is on). Its own words
# (role names, "notification") are English, whatever the machine's language.
start_orca() {
  : >"$ORCA_SPEECH"
  mkdir -p "$E2E_WORK/orca-prefs"
  LC_ALL=C.UTF-8 LANGUAGE=en "$ORCA_PYTHON" "$ORCA_LIB_DIR/a11y.py" orca "$ORCA_SPEECH" "$E2E_WORK/orca-prefs" \
    ${ORCA_TRACE:+"$ORCA_TRACE"} >"$E2E_WORK/orca-output.txt" 2>&1 &
  ORCA_PID=$!
  local deadline=$((SECONDS + 30))
  until [ -s "$ORCA_SPEECH" ]; do
    kill -0 "$ORCA_PID" 2>/dev/null || fail "Orca ended at start: $(tail -n 20 "$E2E_WORK/orca-output.txt")"
    [ $SECONDS -lt $deadline ] || fail "Orca did not start within 30 s"
    sleep 0.1
  done
  ORCA_HEARD=$(wc -l <"$ORCA_SPEECH")
}

# orca_heard: what Orca has said since the last phrase a wait found, one utterance a line.
orca_heard() { tail -n +"$((ORCA_HEARD + 1))" "$ORCA_SPEECH" | sed -E "s/^SPEECH OUTPUT: '(.*)'.*$/\1/"; }

# wait_spoken <phrase> [seconds]: waits until Orca says something that holds phrase (plain
# text, not a pattern), after the phrase the last wait found; fails with what it said instead.
wait_spoken() {
  local phrase=$1 seconds=${2:-20} deadline line
  deadline=$((SECONDS + seconds))
  while :; do
    line=$(orca_heard | grep -n -F -m 1 -- "$phrase" | cut -d: -f1 || true)
    if [ -n "$line" ]; then
      ORCA_HEARD=$((ORCA_HEARD + line))
      return 0
    fi
    kill -0 "$ORCA_PID" 2>/dev/null || fail "Orca ended while waiting for '$phrase'"
    [ $SECONDS -lt $deadline ] || fail "Orca did not say '$phrase' within $seconds s; it said: $(orca_heard | paste -sd '|')"
    sleep 0.1
  done
}

# accessible_tree <application name>: the program's objects as screen readers see them, one
# a line: "<depth> <role> | <name> | <description> | <value> | <states>".
accessible_tree() { "$ORCA_PYTHON" "$ORCA_LIB_DIR/a11y.py" tree "$1"; }
