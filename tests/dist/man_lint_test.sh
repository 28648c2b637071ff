#!/usr/bin/env bash
# The manual pages pass mandoc's lint, down to its style messages, and groff
# (which man uses) has no warning either.
#   man_lint_test.sh PAGE...
set -uo pipefail
if ! command -v mandoc >/dev/null; then
    echo "SKIP: mandoc is not installed (apt-get install mandoc)"
    exit 77
fi
# A page that names another (Xr) is reported while that page is not
# installed; that depends on the machine, not on the page.
report=$(mandoc -T lint -W style "$@" 2>&1 | grep -vE 'referenced manual not found|mandoc\.db')
if command -v groff >/dev/null; then
    for page in "$@"; do
        report+=$(groff -ww -z -mandoc -Tutf8 "$page" 2>&1)
    done
fi
if [[ -n $report ]]; then
    echo "$report"
    exit 1
fi
echo "no lint message for: $*"
