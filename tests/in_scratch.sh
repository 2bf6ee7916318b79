#!/bin/sh
# Runs one test in a scratch working directory with a home folder of its own, removed
# afterwards, so that nothing a test run writes lands in the checkout or the user's home.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zel-test-XXXXXX") || exit 1
mkdir "$scratch/home" "$scratch/work" || exit 1
cd "$scratch/work" || exit 1
HOME="$scratch/home" "$@"
status=$?
rm -rf "$scratch"
exit $status
