#!/bin/sh
# Runs a program on the current X display under a window manager (openbox,
# when installed), as a user's desktop has one; exits with the program's
# status.
wm=
if command -v openbox >/dev/null 2>&1; then
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
fi
"$@"
rc=$?
[ -n "$wm" ] && kill "$wm" 2>/dev/null
exit $rc
