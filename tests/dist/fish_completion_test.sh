#!/usr/bin/env bash
# Asks fish itself what it would offer with the generated completion loaded.
#   fish_completion_test.sh COMPLETION_FILE
set -uo pipefail
if ! command -v fish >/dev/null; then
    echo "SKIP: fish is not installed (apt-get install fish)"
    exit 77
fi
completion=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/music"
touch "$work/mixtape.txt"
cd "$work" || exit 1

failures=0
# expect CANDIDATES LINE: fish's candidates for LINE, without descriptions.
expect()
{
    local got
    got=$(fish --no-config -c "source '$completion'; complete -C '$2'" | cut -f1 | sort | paste -sd' ')
    if [[ $got != "$1" ]]; then
        echo "FAIL: '$2<TAB>' offered [$got], expected [$1]"
        failures=$((failures + 1))
    fi
}
expect '--format' 'tamarel-list --fo'
expect 'csv html json paths' 'tamarel-list -f '
expect 'iso locale utc' 'tamarel-list --time-style '
expect 'music/' 'tamarel-list -r m'
expect 'mixtape.txt music/' 'tamarel-list -o m'
((failures == 0)) && echo "fish completion: all cases passed"
((failures == 0))
