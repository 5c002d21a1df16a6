# SPDX-License-Identifier: MIT
# Shared by the end-to-end scripts: counting and reporting the checks. Source it; set MODE to
# say which run (desktop, window manager) the checks that follow belong to.
PASSED=0
FAILED=0
MODE=""

pass() {
    PASSED=$((PASSED + 1))
    echo "ok   ${MODE:+[$MODE] }$1"
}

fail() {
    FAILED=$((FAILED + 1))
    echo "FAIL ${MODE:+[$MODE] }$1${2:+: $2}"
}

# check NAME COMMAND...: the check passes when the command does.
check() {
    local name=$1
    shift
    if "$@"; then pass "$name"; else fail "$name"; fi
}

# verdict STATUS NAME [DETAIL]: the check passes when STATUS (a command's $?) is 0.
verdict() {
    if [ "$1" = 0 ]; then pass "$2"; else fail "$2" "${3:-}"; fi
}

equals() { [ "$1" = "$2" ] || { echo "     expected '$2', got '$1'"; return 1; }; }

# Prints the count of checks and fails when any did.
checks_done() {
    echo "$PASSED passed, $FAILED failed"
    [ "$FAILED" -eq 0 ]
}
