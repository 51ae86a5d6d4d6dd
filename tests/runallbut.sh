#!/bin/sh
# Runs every test function of a test program but the named ones, which run as ctest entries of
# their own: runallbut.sh PROGRAM FUNCTION...
program="$1"
shift
functions=$("$program" -functions | sed 's/()$//') || exit 1
set -- $(printf '%s\n' $functions | grep -vxF "$(printf '%s\n' "$@")")
# Nothing left: without names the program would run them all.
[ "$#" -gt 0 ] || exit 0
exec "$program" "$@"
